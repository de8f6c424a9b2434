#pragma once

// velmora-cli's commands. Each takes the words after its name, prints errors to err, and
// returns the process exit status.

#include <ostream>
#include <string>
#include <vector>

namespace velmora {

int RunPortsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunSendCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLoadCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunPresetCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunMonitorCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunLiveCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int RunRigCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velmora
