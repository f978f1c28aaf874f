// The deployment report that quorvane-sim prints at the end of its main job:
// the figures a deployment watch collected, as a few lines of text.
#ifndef QUORVANE_HOST_PROGRAM_DEPLOYMENT_REPORT_H
#define QUORVANE_HOST_PROGRAM_DEPLOYMENT_REPORT_H

#include <string>

#include "deployment_watch.h"

namespace host {

// The report; `finalScenario` is the file the run's end was saved to, empty
// when none was.
std::string DeploymentReport(const DeploymentFigures &figures, const std::string &finalScenario);

// One line of progress while the run goes on, such as "60 of 60 free, 0 deployed".
std::string DeploymentProgress(const DeploymentWatch &watch);

}  // namespace host

#endif
