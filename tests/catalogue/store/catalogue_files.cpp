#include "catalogue_files.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

CatalogueFiles::CatalogueFiles() {
    EXPECT_TRUE(folder_.isValid());
}

QString CatalogueFiles::path(const QString& name) const {
    return folder_.filePath(name);
}

QString CatalogueFiles::write(const QString& name, const std::string& bytes) {
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), qint64(bytes.size()));
    return file.fileName();
}

QString CatalogueFiles::build(const QString& name, const std::string& csv) {
    const QString csvPath = write(name + QStringLiteral(".csv"), csv);
    QProcess builder;
    builder.start(QStringLiteral(ORVANE_CATALOGUE_TOOL), {csvPath, path(name)});
    EXPECT_TRUE(builder.waitForFinished(60'000));
    EXPECT_EQ(builder.exitCode(), 0) << builder.readAllStandardError().toStdString();
    return path(name);
}

QString CatalogueFiles::script(const QString& name, const std::string& body) {
    const QString file = write(name, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file;
}

std::string ReadBytes(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().toStdString();
}
