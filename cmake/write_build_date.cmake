# Writes the build date header, touching it only when the date changes, so
# every module built together reports the same date without rebuilding daily.
# Honours SOURCE_DATE_EPOCH for reproducible builds.
string(TIMESTAMP month "%b" UTC)
string(TIMESTAMP day "%d" UTC)
string(TIMESTAMP year "%Y" UTC)
# The compiler's date format pads a one-digit day with a blank: "May  6 2026".
string(REGEX REPLACE "^0" " " day "${day}")
set(content "// Generated at build time.\n#ifndef QUORVANE_FRAME_BUILD_DATE_H\n#define QUORVANE_FRAME_BUILD_DATE_H\nnamespace frame {\nconst char kBuildDate[] = \"${month} ${day} ${year}\";\n}\n#endif\n")
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
else()
  set(old "")
endif()
if(NOT old STREQUAL content)
  file(WRITE "${OUTPUT}" "${content}")
endif()
