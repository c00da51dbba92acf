#pragma once
// Real folders and files in a temporary folder, for tests that erase.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class TempTree {
public:
    QString path(const char* name) const { return m_root.path() + QLatin1Char('/') + QString::fromUtf8(name); }

    // A folder holding `files` files and one sub-folder with a file of its own.
    QString folder(const char* name, int files)
    {
        const QString where = path(name);
        QDir().mkpath(where + QStringLiteral("/sub"));
        for (int i = 0; i < files; ++i)
            write(where + QStringLiteral("/f%1").arg(i));
        write(where + QStringLiteral("/sub/inner"));
        return where;
    }

    QString file(const char* name)
    {
        write(path(name));
        return path(name);
    }

private:
    static void write(const QString& file)
    {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write("x");
    }

    QTemporaryDir m_root;
};
