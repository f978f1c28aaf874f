#include "key_names.h"

#include <cstdio>

#include "config_file.h"
#include "host_interface.h"

namespace host {

namespace {

struct NamedKey {
    const char *name;
    unsigned code;
};

#define QUORVANE_KEY(n) {#n, OAPI_KEY_##n}
const NamedKey kKeys[] = {
    QUORVANE_KEY(ESCAPE),    QUORVANE_KEY(1),         QUORVANE_KEY(2),          QUORVANE_KEY(3),
    QUORVANE_KEY(4),         QUORVANE_KEY(5),         QUORVANE_KEY(6),          QUORVANE_KEY(7),
    QUORVANE_KEY(8),         QUORVANE_KEY(9),         QUORVANE_KEY(0),          QUORVANE_KEY(MINUS),
    QUORVANE_KEY(EQUALS),    QUORVANE_KEY(BACK),      QUORVANE_KEY(TAB),        QUORVANE_KEY(Q),
    QUORVANE_KEY(W),         QUORVANE_KEY(E),         QUORVANE_KEY(R),          QUORVANE_KEY(T),
    QUORVANE_KEY(Y),         QUORVANE_KEY(U),         QUORVANE_KEY(I),          QUORVANE_KEY(O),
    QUORVANE_KEY(P),         QUORVANE_KEY(LBRACKET),  QUORVANE_KEY(RBRACKET),   QUORVANE_KEY(RETURN),
    QUORVANE_KEY(LCONTROL),  QUORVANE_KEY(A),         QUORVANE_KEY(S),          QUORVANE_KEY(D),
    QUORVANE_KEY(F),         QUORVANE_KEY(G),         QUORVANE_KEY(H),          QUORVANE_KEY(J),
    QUORVANE_KEY(K),         QUORVANE_KEY(L),         QUORVANE_KEY(SEMICOLON),  QUORVANE_KEY(APOSTROPHE),
    QUORVANE_KEY(GRAVE),     QUORVANE_KEY(LSHIFT),    QUORVANE_KEY(BACKSLASH),  QUORVANE_KEY(Z),
    QUORVANE_KEY(X),         QUORVANE_KEY(C),         QUORVANE_KEY(V),          QUORVANE_KEY(B),
    QUORVANE_KEY(N),         QUORVANE_KEY(M),         QUORVANE_KEY(COMMA),      QUORVANE_KEY(PERIOD),
    QUORVANE_KEY(SLASH),     QUORVANE_KEY(RSHIFT),    QUORVANE_KEY(MULTIPLY),   QUORVANE_KEY(LALT),
    QUORVANE_KEY(SPACE),     QUORVANE_KEY(CAPITAL),   QUORVANE_KEY(F1),         QUORVANE_KEY(F2),
    QUORVANE_KEY(F3),        QUORVANE_KEY(F4),        QUORVANE_KEY(F5),         QUORVANE_KEY(F6),
    QUORVANE_KEY(F7),        QUORVANE_KEY(F8),        QUORVANE_KEY(F9),         QUORVANE_KEY(F10),
    QUORVANE_KEY(NUMLOCK),   QUORVANE_KEY(SCROLL),    QUORVANE_KEY(NUMPAD7),    QUORVANE_KEY(NUMPAD8),
    QUORVANE_KEY(NUMPAD9),   QUORVANE_KEY(SUBTRACT),  QUORVANE_KEY(NUMPAD4),    QUORVANE_KEY(NUMPAD5),
    QUORVANE_KEY(NUMPAD6),   QUORVANE_KEY(ADD),       QUORVANE_KEY(NUMPAD1),    QUORVANE_KEY(NUMPAD2),
    QUORVANE_KEY(NUMPAD3),   QUORVANE_KEY(NUMPAD0),   QUORVANE_KEY(DECIMAL),    QUORVANE_KEY(F11),
    QUORVANE_KEY(F12),       QUORVANE_KEY(NUMPADENTER), QUORVANE_KEY(RCONTROL), QUORVANE_KEY(DIVIDE),
    QUORVANE_KEY(RALT),      QUORVANE_KEY(HOME),      QUORVANE_KEY(UP),         QUORVANE_KEY(PRIOR),
    QUORVANE_KEY(LEFT),      QUORVANE_KEY(RIGHT),     QUORVANE_KEY(END),        QUORVANE_KEY(DOWN),
    QUORVANE_KEY(NEXT),      QUORVANE_KEY(INSERT),    QUORVANE_KEY(DELETE),
};
#undef QUORVANE_KEY

const char kPrefix[] = "OAPI_KEY_";

}  // namespace

std::optional<unsigned> KeyCode(const std::string &name) {
    std::string bare = name;
    const std::string prefix = kPrefix;
    if (bare.size() > prefix.size() && EqualsNoCase(bare.substr(0, prefix.size()), prefix))
        bare = bare.substr(prefix.size());
    for (const NamedKey &k : kKeys)
        if (EqualsNoCase(bare, k.name)) return k.code;
    return std::nullopt;
}

std::string KeyName(unsigned code) {
    for (const NamedKey &k : kKeys)
        if (k.code == code) return k.name;
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

std::vector<std::string> KeyNames() {
    std::vector<std::string> names;
    for (const NamedKey &k : kKeys) names.push_back(k.name);
    return names;
}

}  // namespace host
