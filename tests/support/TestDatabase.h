#pragma once

#include "platform/data/Connection.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A database of one test in a temporary folder, reached through the embedded engine.
class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();

    // An empty database (WIN1250, dialect 3), then the given script run through the script runner.
    void create(const QString& script = QString());
    // A database at version 1 as the program creates it.
    void createBase();
    // A database at the given version (1 to 7): the program's base upgraded by its own scripts. Built
    // once per set of scripts and copied for each test.
    void createAtVersion(int version);

    QString path() const { return path_; }
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    ConnectionTarget target() const;

    // The connection to it (opened on first use; registered as the program's main connection).
    Connection& connection();
    void disconnect();
    int scalar(const QString& sql);

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Connection> connection_;
};
