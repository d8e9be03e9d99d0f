#include <QCoreApplication>
#include <iostream>
#include <string_view>

#include "Version.hpp"
#include "cli/CliCommands.hpp"

int main(int argc, char* argv[]) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::cout << "potelan-cli " << potelan::kVersion << '\n';
    return 0;
  }
  QCoreApplication app(argc, argv);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return potelan::cli::Run(args, std::cout, std::cerr);
}
