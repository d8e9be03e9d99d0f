// The command lines of potelan-cli: its commands with their options, and
// the help texts made from them (the keys of the dimensions from the table).
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "cli/CliSupport.hpp"

namespace potelan::cli {

const std::vector<CommandSpec>& Commands();
// The command of that name, or null.
const CommandSpec* FindCommand(const QString& name);
// The program's help, and one command's.
const std::string& HelpString();
std::string CommandHelp(const CommandSpec& command);

}  // namespace potelan::cli
