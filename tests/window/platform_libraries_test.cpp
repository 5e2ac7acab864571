// The libraries opened ahead of QApplication: those of the X11 platform where
// Qt will take it, none where it may take another, and files that exist.

#include "platform_libraries.h"

#include <QLibraryInfo>
#include <QTest>

#include <dlfcn.h>

#include <map>

using quellan::platformLibraries;

namespace {

enum Expected { Nothing, WithoutInputMethod, All };

// "NAME=value" pairs as the environment, anything else unset.
quellan::EnvironmentReader environmentOf(const QStringList& assignments) {
    auto values = std::make_shared<std::map<std::string, std::string>>();
    for (const QString& assignment : assignments)
        values->emplace(assignment.section('=', 0, 0).toStdString(),
                        assignment.section('=', 1).toStdString());
    return [values](const char* name) -> const char* {
        const auto found = values->find(name);
        return found == values->end() ? nullptr : found->second.c_str();
    };
}

std::vector<std::string> librariesFor(const QStringList& arguments,
                                      const QStringList& environment) {
    std::vector<QByteArray> texts{"brevint-quellan"};
    for (const QString& argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<const char*> argv;
    argv.reserve(texts.size() + 1);
    for (const QByteArray& text : texts)
        argv.push_back(text.constData());
    argv.push_back(nullptr);
    return platformLibraries(static_cast<int>(texts.size()), argv.data(),
                             environmentOf(environment), "/plugins");
}

} // namespace

class PlatformLibrariesTest : public QObject {
    Q_OBJECT

private slots:
    void chosenByArgumentsAndEnvironment_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("expected");
        const QString display = "DISPLAY=:0";
        QTest::newRow("X11 by default") << QStringList{} << QStringList{display} << int(All);
        QTest::newRow("X11 session")
            << QStringList{} << QStringList{display, "XDG_SESSION_TYPE=x11"} << int(All);
        QTest::newRow("X11 named")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM=xcb"} << int(All);
        QTest::newRow("X11 with an option")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM=xcb:nograb"} << int(All);
        QTest::newRow("X11 first of two")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM=xcb;wayland"} << int(All);
        QTest::newRow("Wayland first of two")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM=wayland;xcb"} << int(Nothing);
        QTest::newRow("offscreen")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM=offscreen"} << int(Nothing);
        QTest::newRow("Wayland session")
            << QStringList{} << QStringList{display, "XDG_SESSION_TYPE=wayland"} << int(Nothing);
        QTest::newRow("X11 named in a Wayland session")
            << QStringList{}
            << QStringList{display, "XDG_SESSION_TYPE=wayland", "QT_QPA_PLATFORM=xcb"} << int(All);
        QTest::newRow("no display") << QStringList{} << QStringList{} << int(Nothing);
        QTest::newRow("empty display") << QStringList{} << QStringList{"DISPLAY="} << int(Nothing);
        QTest::newRow("-platform")
            << QStringList{"-platform", "offscreen"} << QStringList{display} << int(Nothing);
        QTest::newRow("--platform")
            << QStringList{"--platform", "xcb"} << QStringList{display} << int(Nothing);
        QTest::newRow("-platformpluginpath") << QStringList{"-platformpluginpath", "/elsewhere"}
                                             << QStringList{display} << int(Nothing);
        QTest::newRow("-platformtheme")
            << QStringList{"-platformtheme", "gtk3"} << QStringList{display} << int(All);
        QTest::newRow("plugin path")
            << QStringList{} << QStringList{display, "QT_PLUGIN_PATH=/elsewhere"} << int(Nothing);
        QTest::newRow("platform plugin path")
            << QStringList{} << QStringList{display, "QT_QPA_PLATFORM_PLUGIN_PATH=/elsewhere"}
            << int(Nothing);
        QTest::newRow("another input method")
            << QStringList{} << QStringList{display, "QT_IM_MODULE=ibus"}
            << int(WithoutInputMethod);
        QTest::newRow("compose input method")
            << QStringList{} << QStringList{display, "QT_IM_MODULE=compose"} << int(All);
    }
    void chosenByArgumentsAndEnvironment() {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, expected);
        std::vector<std::string> wanted;
        if (expected != Nothing)
            wanted = {"/plugins/platforms/libqxcb.so", "libXcursor.so.1"};
        if (expected == All)
            wanted.emplace_back(
                "/plugins/platforminputcontexts/libcomposeplatforminputcontextplugin.so");
        QCOMPARE(librariesFor(arguments, environment), wanted);
    }

    // The names are Qt's and the system's: a library renamed or moved would
    // only be opened for nothing, so the installed ones are checked here.
    void installedLibrariesOpen() {
        QCOMPARE(QString(QUELLAN_QT_PLUGIN_DIRECTORY),
                 QLibraryInfo::path(QLibraryInfo::PluginsPath));
        const char* argv[] = {"brevint-quellan", nullptr};
        const auto files =
            platformLibraries(1, argv, environmentOf({"DISPLAY=:0"}), QUELLAN_QT_PLUGIN_DIRECTORY);
        QCOMPARE(files.size(), std::size_t(3));
        for (const std::string& file : files)
            QVERIFY2(dlopen(file.c_str(), RTLD_LAZY | RTLD_LOCAL) != nullptr, dlerror());
    }
};

QTEST_APPLESS_MAIN(PlatformLibrariesTest)
#include "platform_libraries_test.moc"
