// Test support for the tests of every folder: CommaLocale.
#include "CommaLocale.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr char kName[] = "de_DE.UTF-8";

// The locale made in a folder of its own, which goes with the process.
struct MadeLocale {
    fs::path folder;
    std::string problem;  // empty once the locale is made
    MadeLocale() {
        std::string pattern = (fs::temp_directory_path() / "vemo-locale-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            problem = "no temporary folder for the locale";
            return;
        }
        folder = pattern;
        const std::string output = (folder / kName).string(), log = (folder / "localedef.log").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        char program[] = "localedef", input[] = "-i", source[] = "de_DE", charmap[] = "-f", utf8[] = "UTF-8";
        char* argv[] = {program, input, source, charmap, utf8, const_cast<char*>(output.c_str()), nullptr};
        pid_t pid = -1;
        int status = 0;
        const int spawned = ::posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::ifstream in(log);
            std::ostringstream said;
            said << in.rdbuf();
            problem = "localedef -i de_DE -f UTF-8 " + output + " failed: " +
                      (spawned ? std::strerror(spawned) : said.str());
            return;
        }
        const char* searched = std::getenv("LOCPATH");
        std::string path = folder.string();
        if (searched && *searched) path += std::string(":") + searched;
        ::setenv("LOCPATH", path.c_str(), 1);
        // Made and found: its numbers have the decimal comma. (Asked through setlocale: newlocale
        // keeps a copy of LOCPATH that is never freed.)
        const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, kName))
            problem = std::string(kName) + " made in " + folder.string() + " but not found through LOCPATH";
        else if (std::strcmp(std::localeconv()->decimal_point, ",") != 0)
            problem = std::string(kName) + " has no decimal comma";
        std::setlocale(LC_NUMERIC, previous.c_str());
    }
    ~MadeLocale() {
        std::error_code ec;
        if (!folder.empty()) fs::remove_all(folder, ec);
    }
};

}  // namespace

std::string CommaLocaleName() {
    static const MadeLocale made;
    if (!made.problem.empty()) {
        ADD_FAILURE() << made.problem;
        return {};
    }
    return kName;
}

CommaLocale::CommaLocale() {
    if (const char* previous = std::setlocale(LC_NUMERIC, nullptr)) m_previous = previous;
    const std::string name = CommaLocaleName();
    m_active = !name.empty() && std::setlocale(LC_NUMERIC, name.c_str()) &&
               std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

CommaLocale::~CommaLocale() { std::setlocale(LC_NUMERIC, m_previous.c_str()); }
