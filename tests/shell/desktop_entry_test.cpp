// The desktop entry of the installation as a desktop reads it: checked by the
// freedesktop validator, loaded and started through GLib's launcher (what
// GNOME and gtk-launch use), for data folders whose names need quoting.
#include "platform/rtl/Files.h"
#include "tools/install/Install.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gio/gdesktopappinfo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

struct DesktopEntry : ::testing::Test {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("dorneval-desktop-" + std::to_string(getpid()));
    std::string applications = dir.string() + "/share/applications/";
    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A program folder under the test's folder, holding a stand-in for the
    // program that writes the folder it was started in into "started-in".
    std::string ProgramFolder(const std::string& name) {
        const std::string folder = dir.string() + "/" + name + "/";
        std::filesystem::create_directories(folder);
        rtl::WriteWholeFile(folder + "dorneval", "#!/bin/sh\npwd > started-in\n");
        chmod((folder + "dorneval").c_str(), 0755);
        return folder;
    }
};

// The validator's verdict: empty when it accepts the file, its complaints otherwise.
std::string Validate(const std::string& path) {
    const char* argv[] = {"desktop-file-validate", path.c_str(), nullptr};
    gchar* out = nullptr;
    gchar* err = nullptr;
    gint status = 0;
    GError* error = nullptr;
    std::string verdict;
    if (!g_spawn_sync(nullptr, const_cast<gchar**>(argv), nullptr, G_SPAWN_SEARCH_PATH, nullptr, nullptr,
                      &out, &err, &status, &error)) {
        verdict = std::string("cannot run the validator: ") + error->message;
        g_error_free(error);
    } else {
        if (!g_spawn_check_wait_status(status, nullptr)) verdict = "rejected. ";
        verdict += std::string(out ? out : "") + (err ? err : "");
    }
    g_free(out);
    g_free(err);
    return verdict;
}

std::string Text(gchar* s) {
    std::string out = s ? s : "";
    g_free(s);
    return out;
}

// The program that the entry's Exec line starts, as GLib splits the line.
std::string Program(GDesktopAppInfo* info) {
    const std::string exec = Text(g_desktop_app_info_get_string(info, "Exec"));
    gchar** argv = nullptr;
    if (!g_shell_parse_argv(exec.c_str(), nullptr, &argv, nullptr)) return "(cannot split: " + exec + ")";
    std::string program = argv[0];
    const bool alone = argv[1] == nullptr;
    g_strfreev(argv);
    return alone ? program : "(more than the program: " + exec + ")";
}

} // namespace

// Folder names with blanks, quotes, a dollar, a backslash and accents: the
// entry still names the program and its folder exactly, and starting it runs
// the program in its folder.
TEST_F(DesktopEntry, NamesTheProgramAndStartsItInItsFolder) {
    for (const std::string name : {"Dorneval", "Dati di prova", "Parco \"auto\" $HOME `ls` c:\\dati è"}) {
        SCOPED_TRACE(name);
        const std::string folder = ProgramFolder(name);
        install::InstallIcon(folder);
        install::InstallDesktopEntry(folder, applications);
        const std::string entry = applications + "dorneval.desktop";
        EXPECT_EQ(Validate(entry), "");

        GDesktopAppInfo* info = g_desktop_app_info_new_from_filename(entry.c_str());
        ASSERT_NE(info, nullptr) << rtl::ReadWholeFile(entry);
        EXPECT_STREQ(g_app_info_get_name(G_APP_INFO(info)), "Dorneval");
        EXPECT_EQ(Program(info), folder + "dorneval");
        EXPECT_EQ(Text(g_desktop_app_info_get_string(info, "Path")), folder);
        EXPECT_TRUE(g_app_info_should_show(G_APP_INFO(info)));
        // The icon is the program's picture, beside it.
        GIcon* icon = g_app_info_get_icon(G_APP_INFO(info));
        ASSERT_TRUE(icon && G_IS_FILE_ICON(icon));
        const std::string iconPath = Text(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
        EXPECT_EQ(iconPath, folder + "dorneval.png");
        EXPECT_EQ(rtl::ReadWholeFile(iconPath).substr(1, 3), "PNG");

        // Started from here (not the folder), it runs in its folder.
        GError* error = nullptr;
        EXPECT_TRUE(g_app_info_launch(G_APP_INFO(info), nullptr, nullptr, &error))
            << (error ? error->message : "");
        if (error) g_error_free(error);
        g_object_unref(info);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!rtl::FileExists(folder + "started-in") && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        ASSERT_TRUE(rtl::FileExists(folder + "started-in"));
        for (int i = 0; i < 100 && rtl::ReadWholeFile(folder + "started-in").empty(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_EQ(rtl::ReadWholeFile(folder + "started-in"), folder.substr(0, folder.size() - 1) + "\n");
    }
}

// Installing again, into another folder, leaves one entry, naming the folder
// of the last installation.
TEST_F(DesktopEntry, InstallingAgainLeavesOneEntryForTheLastFolder) {
    const std::string first = ProgramFolder("Dorneval");
    const std::string second = ProgramFolder("Altro");
    install::InstallDesktopEntry(first, applications);
    install::InstallDesktopEntry(first, applications);
    install::InstallDesktopEntry(second, applications);
    EXPECT_EQ(rtl::ListFiles(applications), std::vector<std::string>{"dorneval.desktop"});
    GDesktopAppInfo* info = g_desktop_app_info_new_from_filename((applications + "dorneval.desktop").c_str());
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(Program(info), second + "dorneval");
    g_object_unref(info);
}

// A folder whose name no entry can hold (not UTF-8, a line break) gets no
// entry and the failure says why; an entry already there stays as it was.
TEST_F(DesktopEntry, FolderNameThatNoEntryCanHoldIsRefused) {
    const std::string good = ProgramFolder("Dorneval");
    install::InstallDesktopEntry(good, applications);
    const std::string before = rtl::ReadWholeFile(applications + "dorneval.desktop");
    for (const char* name : {"Parco\nAuto", "Parco \xE8 latin-1"}) {
        const std::string folder = dir.string() + "/" + std::string(name) + "/";
        try {
            install::InstallDesktopEntry(folder, applications);
            ADD_FAILURE() << "no failure for " << name;
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("desktop entry"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(rtl::ReadWholeFile(applications + "dorneval.desktop"), before);
}

// The user's applications folder: XDG_DATA_HOME when it is an absolute path,
// otherwise under the home folder.
TEST(ApplicationsFolder, FollowsTheDesktopsDataFolder) {
    const std::string oldData = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    struct Case {
        const char* data; // nullptr: unset
        const char* home;
        const char* expected;
    };
    for (const Case& c :
         {Case{"/srv/dati", "/home/anna", "/srv/dati/applications/"},
          Case{nullptr, "/home/anna", "/home/anna/.local/share/applications/"},
          Case{"dati", "/home/anna", "/home/anna/.local/share/applications/"}, Case{nullptr, nullptr, ""}}) {
        c.data ? setenv("XDG_DATA_HOME", c.data, 1) : unsetenv("XDG_DATA_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        EXPECT_EQ(install::ApplicationsFolder(), c.expected) << (c.data ? c.data : "(unset)");
    }
    oldData.empty() ? unsetenv("XDG_DATA_HOME") : setenv("XDG_DATA_HOME", oldData.c_str(), 1);
    oldHome.empty() ? unsetenv("HOME") : setenv("HOME", oldHome.c_str(), 1);
}
