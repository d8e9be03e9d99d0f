#include <QCoreApplication>
#include <iostream>

#include "cli/CliCommands.hpp"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return potelan::cli::Run(args, std::cout, std::cerr);
}
