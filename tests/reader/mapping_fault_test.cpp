// A mapped catalogue whose pages the system can no longer give (here: the file cut short after it
// was mapped) ends the helper with one last frame saying the file could not be read, after the
// whole frames already sent, rather than with a crash the program would take for damage.

#include "catalogue/row_stream.h"
#include "reader/mapping_fault.h"
#include "system/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(MappingFault, APageCutFromTheMappedFileSendsTheUnreadableFrameAndEnds) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("orvane-fault-" + std::to_string(getpid()));
    std::ofstream(file, std::ios::binary) << std::string(2 * 4096, 'x');
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const std::string frame = catalogue::RowStreamWriter::UnavailableFrame("illisible");
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(channel[0]);
        const sys::MappedFile mapped(file);
        (void)!write(channel[1], "R", 1); // a frame sent before the fault
        reader::ReportMappingFaults(channel[1], frame);
        std::filesystem::resize_file(file, 0);
        const volatile std::byte* page = mapped.data() + 4096;
        std::_Exit(*page == std::byte{'x'} ? 3 : 4); // never reached: the page is gone
    }
    close(channel[1]);
    std::string received;
    char buffer[256];
    for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
        received.append(buffer, std::size_t(got));
    }
    close(channel[0]);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::filesystem::remove(file);
    EXPECT_EQ(received, "R" + frame);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

} // namespace
