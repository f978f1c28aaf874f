// Names of keyboard keys in event scripts: the host interface's OAPI_KEY_
// constants without their prefix (G, K, NUMPAD8, F1, SPACE, ...), in any case.
#ifndef QUORVANE_HOST_FILES_KEY_NAMES_H
#define QUORVANE_HOST_FILES_KEY_NAMES_H

#include <optional>
#include <string>
#include <vector>

namespace host {

// The scan code of a key name, with or without the OAPI_KEY_ prefix.
std::optional<unsigned> KeyCode(const std::string &name);
// The name of a scan code ("0x.." for a code without a name).
std::string KeyName(unsigned code);
// Every known name, in scan-code order.
std::vector<std::string> KeyNames();

}  // namespace host

#endif
