// Each module exports exactly its four entry points: two modules loaded into
// one process must never share module-wide state through an exported symbol.
#include <elf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "support/host_fixture.h"

namespace {

// The names the dynamic symbol table of a 64-bit ELF file defines.
std::set<std::string> DefinedDynamicSymbols(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::set<std::string> names;
    if (file.size() < sizeof(Elf64_Ehdr)) return names;
    Elf64_Ehdr eh;
    std::memcpy(&eh, file.data(), sizeof eh);
    if (std::memcmp(eh.e_ident, ELFMAG, SELFMAG) != 0 || eh.e_ident[EI_CLASS] != ELFCLASS64) return names;
    std::vector<Elf64_Shdr> sections(eh.e_shnum);
    for (int i = 0; i < eh.e_shnum; ++i)
        std::memcpy(&sections[i], file.data() + eh.e_shoff + i * eh.e_shentsize, sizeof(Elf64_Shdr));
    for (const Elf64_Shdr &sh : sections) {
        if (sh.sh_type != SHT_DYNSYM) continue;
        const Elf64_Shdr &strtab = sections.at(sh.sh_link);
        for (size_t off = 0; off + sizeof(Elf64_Sym) <= sh.sh_size; off += sizeof(Elf64_Sym)) {
            Elf64_Sym sym;
            std::memcpy(&sym, file.data() + sh.sh_offset + off, sizeof sym);
            if (sym.st_shndx == SHN_UNDEF || sym.st_name == 0) continue;
            const int bind = ELF64_ST_BIND(sym.st_info);
            if (bind != STB_GLOBAL && bind != STB_WEAK && bind != STB_GNU_UNIQUE) continue;
            names.insert(file.data() + strtab.sh_offset + sym.st_name);
        }
    }
    return names;
}

class ModuleExports : public ::testing::TestWithParam<const char *> {};

TEST_P(ModuleExports, DefineExactlyTheFourEntryPoints) {
    const std::string path = testing_support::BuildRoot() + "/Modules/" + GetParam() + ".so";
    const std::set<std::string> expected = {"ovcInit", "ovcExit", "ModuleDate", "GetModuleVersion"};
    EXPECT_EQ(DefinedDynamicSymbols(path), expected) << path;
}

INSTANTIATE_TEST_SUITE_P(AllModules, ModuleExports, ::testing::Values("quorvane_odd", "quorvane_even", "quorvane_stack"));

}  // namespace
