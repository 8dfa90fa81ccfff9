#pragma once
// Catalogue files for tests, made by the catalogue builder in a temporary folder.

#include <QString>
#include <QTemporaryDir>

#include <string>

class CatalogueFiles {
public:
    CatalogueFiles();

    // Builds name from CSV text (header line included) and answers its path.
    QString build(const QString& name, const std::string& csv);
    // Writes name with these bytes and answers its path.
    QString write(const QString& name, const std::string& bytes);
    // Writes an executable shell script and answers its path.
    QString script(const QString& name, const std::string& body);
    QString path(const QString& name) const;

private:
    QTemporaryDir folder_;
};

// Reads a whole file.
std::string ReadBytes(const QString& path);
