#include "shell/DesktopWallpaper.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "shell/TextUtilities.h"

extern char** environ;

namespace slanter {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool IsFolder(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Runs a program found on the path with these words; its output, or nothing when it did
// not end well.
bool Run(const std::vector<std::string>& words, std::string* output = nullptr) {
    int pipeEnds[2] = {-1, -1};
    if (::pipe(pipeEnds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    std::vector<char*> argv;
    std::vector<std::string> copies = words;
    for (std::string& word : copies)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    std::string read;
    char buffer[4096];
    for (ssize_t got; started == 0 && (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        read.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    if (started != 0)
        return false;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    if (output != nullptr)
        *output = read;
    return true;
}

// "file://" and the name, with every byte outside the unreserved ones escaped.
std::string FileUri(const std::string& file) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const unsigned char c : file) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += static_cast<char>(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

std::string SetOnGnome(const std::string& file) {
    const std::string schema = "org.gnome.desktop.background";
    const std::string uri = FileUri(file);
    if (!Run({"gsettings", "set", schema, "picture-uri", uri}) ||
        !Run({"gsettings", "set", schema, "picture-options", "wallpaper"}))
        return "gsettings could not set the background";
    // Only newer versions have a picture for the dark style.
    Run({"gsettings", "set", schema, "picture-uri-dark", uri});
    return {};
}

// Plasma's shell takes a script over D-Bus: every desktop's image, tiled (fill mode 3).
// The name goes in as a URI, whose escapes leave no quote to end the script's string.
std::string SetOnPlasma(const std::string& file) {
    const std::string script =
        "var all = desktops(); for (var k = 0; k < all.length; ++k) { var d = all[k];"
        " d.wallpaperPlugin = 'org.kde.image';"
        " d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];"
        " d.writeConfig('Image', '" +
        FileUri(file) + "'); d.writeConfig('FillMode', 3); }";
    if (!Run({"dbus-send", "--session", "--print-reply", "--dest=org.kde.plasmashell",
              "/PlasmaShell", "org.kde.PlasmaShell.evaluateScript", "string:" + script}))
        return "Plasma's shell could not set the background";
    return {};
}

std::string SetOnXfce(const std::string& file) {
    std::string properties;
    if (!Run({"xfconf-query", "-c", "xfce4-desktop", "-l"}, &properties))
        return "xfconf-query could not read the desktop's settings";
    bool set = false;
    std::istringstream lines(properties);
    constexpr std::string_view image = "/last-image";
    for (std::string property; std::getline(lines, property);) {
        if (property.size() < image.size() ||
            property.compare(property.size() - image.size(), image.size(), image) != 0)
            continue;
        const std::string monitor = property.substr(0, property.size() - image.size());
        // 2: tiled.
        set =
            Run({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", file}) &&
            Run({"xfconf-query", "-c", "xfce4-desktop", "-p", monitor + "/image-style", "-s", "2"});
        if (!set)
            return "xfconf-query could not set the background";
    }
    return set ? std::string() : std::string(kNoKnownDesktop);
}

} // namespace

std::string SetDesktopWallpaper(const std::string& named) {
    std::string file = named;
    if (file.empty() || file[0] != '/') {
        char folder[4096];
        if (::getcwd(folder, sizeof folder) == nullptr)
            return "the current folder is unknown";
        file = std::string(folder) + "/" + file;
    }
    const std::string desktop = LowerCaseAscii(Environment("XDG_CURRENT_DESKTOP"));
    for (const char* gnomeLike : {"gnome", "unity", "budgie", "pantheon", "ubuntu"})
        if (desktop.find(gnomeLike) != std::string::npos)
            return SetOnGnome(file);
    if (desktop.find("kde") != std::string::npos)
        return SetOnPlasma(file);
    if (desktop.find("xfce") != std::string::npos)
        return SetOnXfce(file);
    return std::string(kNoKnownDesktop);
}

std::string PicturesFolder() {
    const std::string home = Environment("HOME");
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty() && !home.empty())
        config = home + "/.config";
    // The line XDG_PICTURES_DIR="$HOME/Pictures" of the user's folder names.
    std::ifstream names(config + "/user-dirs.dirs");
    for (std::string line; std::getline(names, line);) {
        constexpr std::string_view key = "XDG_PICTURES_DIR=\"";
        if (line.rfind(key, 0) != 0 || line.back() != '"')
            continue;
        std::string folder = line.substr(key.size(), line.size() - key.size() - 1);
        if (folder.rfind("$HOME", 0) == 0)
            folder = home + folder.substr(5);
        if (IsFolder(folder))
            return folder + "/";
    }
    if (IsFolder(home + "/Pictures"))
        return home + "/Pictures/";
    return home.empty() ? std::string() : home + "/";
}

} // namespace slanter
