#include "scenario_stream.h"

namespace host {

bool ScenarioBlockReader::Next(char *&line) {
    if (next_ >= lines_.size()) return false;
    buffer_ = lines_[next_++].text;
    line = &buffer_[0];
    return true;
}

const ScenarioLine &ScenarioBlockReader::Current() const { return next_ == 0 ? none_ : lines_[next_ - 1]; }

void ScenarioBlockWriter::Write(const std::string &item, const std::string &value) {
    lines_.push_back(value.empty() ? item : item + " " + value);
}

}  // namespace host
