#pragma once

#include <string>
#include <vector>

#include "cli/CliCommand.h"

// `add COLLECTION DIR... [--recursive]`: adds music directories as the main form does. An empty
// path is ignored, a path already listed (after normalising) is skipped with a notice, a
// directory that cannot be listed or stored is reported and not added. With --recursive every
// folder below each DIR that holds music is added as a directory of its own (links to folders
// are not followed). The collection file is created when missing and saved at the end.
class AddCommand : public CliCommand {
  public:
    CLI::App* Register(CLI::App& app) override;
    int Execute(CliContext& context) override;

  private:
    // The folders to add for one DIR: itself, or with --recursive its music folders.
    std::vector<std::string> FoldersFor(const std::string& dir,
                                        const std::vector<std::string>& extensions,
                                        CliContext& context) const;

    std::string collection_;
    std::vector<std::string> directories_;
    bool recursive_ = false;
};
