#include "trace_file.h"

#include "world/number_text.h"

namespace host {

const char TraceFile::kHeader[] =
    "time_s,vessel,class,x_m,y_m,z_m,vx_m_s,vy_m_s,vz_m_s,alpha_deg,beta_deg,gamma_deg,wx_deg_s,wy_deg_s,wz_deg_s\n";

namespace {

// A field quoted when it holds a comma, a quote or a line break.
void AppendField(std::string &row, const std::string &text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        row += text;
        return;
    }
    row += '"';
    for (char c : text) row += c == '"' ? std::string("\"\"") : std::string(1, c);
    row += '"';
}

void AppendVector(std::string &row, const VECTOR3 &v, int decimals) {
    for (double c : v.data) {
        row += ',';
        row += FormatExact(c, decimals);
    }
}

// Radians as the degrees a scenario file would hold for them.
void AppendDegrees(std::string &row, const VECTOR3 &v, int decimals) {
    for (double c : v.data) {
        row += ',';
        row += FormatScaledExact(c, RAD, decimals);
    }
}

}  // namespace

bool TraceFile::Open(const std::string &path, std::string *error) {
    if (!out_.Open(path, error)) return false;
    out_.Write(kHeader);
    return true;
}

void TraceFile::Sample(double time, const SimVessel &v) {
    row_ = FormatExact(RoundSeconds(time), 3);
    row_ += ',';
    AppendField(row_, v.Name());
    row_ += ',';
    AppendField(row_, v.ClassName());
    AppendVector(row_, v.RelPos(), 3);
    AppendVector(row_, v.RelVel(), 4);
    AppendDegrees(row_, v.Attitude().Angles(), 4);
    AppendDegrees(row_, v.AngularVel(), 4);
    row_ += '\n';
    out_.Write(row_);
}

}  // namespace host
