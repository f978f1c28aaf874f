// The words of a line of the host's text files, and their letter case.
#ifndef QUORVANE_HOST_WORLD_TEXT_WORDS_H
#define QUORVANE_HOST_WORLD_TEXT_WORDS_H

#include <string>
#include <vector>

namespace host {

// The blank-separated words of a text.
std::vector<std::string> Words(const std::string &text);
// The text in upper case (ASCII letters only).
std::string Upper(std::string text);

}  // namespace host

#endif
