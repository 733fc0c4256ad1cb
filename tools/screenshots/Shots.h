#pragma once
// Screens of every area register a function that draws them into PNG files;
// pos_screenshots runs each one. An area adds a file named "<Area>Shots.cpp"
// beside this one and registers with a static TShotRegistrar.

#include <QDir>
#include <QWidget>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace shots {

using TShotFunction = std::function<bool(const QDir&)>;

inline std::vector<std::pair<std::string, TShotFunction>>& Registry()
{
    static std::vector<std::pair<std::string, TShotFunction>> registry;
    return registry;
}

struct TShotRegistrar {
    TShotRegistrar(const char* aArea, TShotFunction aFunction) { Registry().emplace_back(aArea, std::move(aFunction)); }
};

// Grabs the widget into "<name>.png" and says where it went.
inline bool Save(QWidget& aWidget, const QDir& aDir, const char* aName)
{
    const QString path = aDir.filePath(QString::fromLatin1(aName) + QStringLiteral(".png"));
    const bool ok = aWidget.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace shots
