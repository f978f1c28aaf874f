// quorvane-selfcheck: loads the three vessel modules from the installation
// tree it lies in, creates one vessel of each class and reports what each
// module and vessel told the host. Exits non-zero when anything fails.
#include <cstdio>
#include <string>

#include "files/installation.h"
#include "world/host_log.h"
#include "world/simulation.h"

int main() {
    host::Simulation sim;
    const host::Installation tree(host::Installation::ProgramRoot());
    sim.SetClassResolver(tree.Resolver());
    int failures = 0;
    for (const char *cls : {"quorvane_odd", "quorvane_even", "quorvane_stack"}) {
        std::string error;
        host::SimVessel *v = sim.CreateVessel(std::string("check-") + cls, cls, nullptr, &error);
        if (v == nullptr) {
            std::fprintf(stderr, "quorvane-selfcheck: %s\n", error.c_str());
            ++failures;
            continue;
        }
        std::printf("%-15s empty mass %8.1f kg, size %.1f m, %zu mesh(es), %zu attachment point(s), %zu thruster(s)\n",
                    cls, v->emptyMass, v->size, v->meshes.size(), v->attachments.size(), v->thrusters.size());
    }
    for (const std::string &line : host::HostLog::Instance().Lines()) std::printf("log: %s\n", line.c_str());
    if (!sim.FinishCreation(nullptr)) ++failures;
    std::printf(failures == 0 ? "all three modules load and define their vessels\n" : "%d failure(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
