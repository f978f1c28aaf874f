#include "config_file.h"

#include <cctype>
#include <fstream>
#include <sstream>

namespace host {

std::string StripComment(const std::string &line) {
    std::string s = line.substr(0, line.find(';'));
    const char *blanks = " \t\r\n";
    const size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(blanks) - first + 1);
}

bool EqualsNoCase(const std::string &a, const std::string &b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return true;
}

std::shared_ptr<ConfigFile> ConfigFile::Load(const std::string &path, std::string *error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (error != nullptr) *error = path + ": cannot open configuration file";
        return nullptr;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return FromText(path, text.str());
}

std::shared_ptr<ConfigFile> ConfigFile::FromText(const std::string &path, const std::string &text) {
    std::shared_ptr<ConfigFile> cfg(new ConfigFile(path));
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        std::string s = StripComment(line);
        if (!s.empty()) cfg->lines_.push_back({number, s});
    }
    return cfg;
}

std::optional<std::string> ConfigFile::Get(const std::string &key, int *line) const {
    for (const ScenarioLine &l : lines_) {
        const size_t eq = l.text.find('=');
        if (eq == std::string::npos) continue;
        if (!EqualsNoCase(StripComment(l.text.substr(0, eq)), key)) continue;
        if (line != nullptr) *line = l.number;
        return StripComment(l.text.substr(eq + 1));
    }
    return std::nullopt;
}

std::optional<std::vector<ScenarioLine>> ConfigFile::Block(const std::string &name, std::string *error) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!EqualsNoCase(lines_[i].text, "BEGIN_" + name)) continue;
        std::vector<ScenarioLine> block;
        for (size_t k = i + 1; k < lines_.size(); ++k) {
            if (EqualsNoCase(lines_[k].text, "END_" + name)) return block;
            block.push_back(lines_[k]);
        }
        if (error != nullptr)
            *error = Path() + ":" + std::to_string(lines_[i].number) + ": BEGIN_" + name + " without END_" + name;
        return std::nullopt;
    }
    return std::vector<ScenarioLine>{};
}

}  // namespace host
