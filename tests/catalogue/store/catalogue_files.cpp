#include "catalogue_files.h"

#include "system/child_process.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

std::string CatalogueFiles::path(const std::string& name) const {
    return folder_.file(name).string();
}

std::string CatalogueFiles::write(const std::string& name, const std::string& bytes) {
    std::ofstream file(path(name), std::ios::binary | std::ios::trunc);
    EXPECT_TRUE(file.good());
    file << bytes;
    return path(name);
}

std::string CatalogueFiles::build(const std::string& name, const std::string& csv) {
    const std::string csvPath = write(name + ".csv", csv);
    sys::ChildProcess builder(ORVANE_CATALOGUE_TOOL, {csvPath, path(name)});
    EXPECT_TRUE(builder.Wait().Succeeded()) << "orvane-catalogue failed on " << csvPath;
    return path(name);
}

std::string CatalogueFiles::script(const std::string& name, const std::string& body) {
    const std::string file = write(name, "#!/bin/sh\n" + body + "\n");
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    return file;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    EXPECT_TRUE(file.good()) << path;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
