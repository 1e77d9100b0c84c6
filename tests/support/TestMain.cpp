// The main of every test program: the tests run in an environment of their
// own, whatever the terminal they are started from holds. No display (a test
// that needs one starts its own X server and points DISPLAY there), a fixed
// locale, and a fresh HOME and TMPDIR that are removed afterwards, so that
// nothing a test or a program it starts writes there outlives the run. The
// Windows directory is not set: a test that installs sets its own.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

class THermeticEnvironment {
public:
    THermeticEnvironment() {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SSI_BACKEND", "XAUTHORITY",
                                 "WINDIR", "LANGUAGE", "LC_CTYPE", "LC_MESSAGES"})
            unsetenv(name);
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("LANG", "C.UTF-8", 1);

        // Under the temporary folder the run was given, where there is one.
        const char* outer = std::getenv("TMPDIR");
        std::error_code error;
        const fs::path base = outer != nullptr && fs::is_directory(outer, error) ? outer : "/tmp";
        std::string pattern = (base / "ssi-tests-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        FRoot = pattern;
        fs::create_directories(FRoot / "home", error);
        fs::create_directories(FRoot / "tmp", error);
        setenv("HOME", (FRoot / "home").c_str(), 1);
        setenv("TMPDIR", (FRoot / "tmp").c_str(), 1);
    }
    ~THermeticEnvironment() {
        if (FRoot.empty())
            return;
        std::error_code error;
        // Tests take rights away from folders to make writes fail.
        for (auto it = fs::recursive_directory_iterator(
                 FRoot, fs::directory_options::skip_permission_denied, error);
             it != fs::recursive_directory_iterator(); it.increment(error))
            if (it->is_directory(error) && !it->is_symlink(error))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
        fs::remove_all(FRoot, error);
    }
    THermeticEnvironment(const THermeticEnvironment&) = delete;
    THermeticEnvironment& operator=(const THermeticEnvironment&) = delete;

private:
    fs::path FRoot;
};

} // namespace

int main(int argc, char** argv) {
    THermeticEnvironment environment;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
