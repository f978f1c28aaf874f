#include "scenario_key.h"

#include <cctype>

namespace frame {

bool HasScenarioKey(const char *line, const char *key) {
    for (int i = 0; i < 4; ++i)
        if (std::toupper(static_cast<unsigned char>(line[i])) != key[i]) return false;
    return true;
}

}  // namespace frame
