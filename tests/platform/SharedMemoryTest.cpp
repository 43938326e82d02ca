#include "TempRuntimeDir.h"

#include "platform/SharedMemory.h"

#include <gtest/gtest.h>

#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kSize = 535060;

struct stat StatOf(const QString& name)
{
    struct stat st {};
    st.st_mode = 0;
    ::lstat(("/dev/shm" + CSharedMemory::SystemName(name)).toLocal8Bit().constData(), &st);
    return st;
}

// Makes an object the way someone else might have left it.
void Plant(const QString& name, mode_t mode, std::size_t size, char fill)
{
    const QByteArray sys = CSharedMemory::SystemName(name).toLocal8Bit();
    ::shm_unlink(sys.constData());
    const int fd = ::shm_open(sys.constData(), O_RDWR | O_CREAT | O_EXCL, mode);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::fchmod(fd, mode), 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(size)), 0);
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    ASSERT_NE(p, MAP_FAILED);
    std::memset(p, fill, size);
    ::munmap(p, size);
    ::close(fd);
}

TEST(SharedMemory, CreateMakesAFreshPrivateZeroedObjectOfExactSize)
{
    TempRuntimeDir rt;
    Plant("ORV_004", 0666, 4096, 'x'); // stale, readable by all
    CSharedMemory shm;
    ASSERT_TRUE(shm.Create("ORV_004", kSize));
    const struct stat st = StatOf("ORV_004");
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(static_cast<std::size_t>(st.st_size), kSize);
    EXPECT_EQ(static_cast<const char*>(shm.Data())[0], 0);
    EXPECT_TRUE(CSharedMemory::Unlink("ORV_004"));
    EXPECT_FALSE(CSharedMemory::Unlink("ORV_004"));
}

TEST(SharedMemory, ReaderSeesTheWriterAndRefusesLooseOrMisSizedObjects)
{
    TempRuntimeDir rt;
    {
        CSharedMemory writer;
        ASSERT_TRUE(writer.Create("ORV_004", kSize));
        std::memcpy(writer.Data(), "hello", 5);
        CSharedMemory reader;
        ASSERT_TRUE(reader.OpenReadOnly("ORV_004", kSize));
        EXPECT_EQ(std::memcmp(reader.Data(), "hello", 5), 0);
        EXPECT_FALSE(CSharedMemory().OpenReadOnly("ORV_004", kSize + 1));
    }
    Plant("ORV_004", 0644, kSize, 'y');
    EXPECT_FALSE(CSharedMemory().OpenReadOnly("ORV_004", kSize));
    Plant("ORV_004", 0600, 4096, 'y'); // a reader would fault past its end
    EXPECT_FALSE(CSharedMemory().OpenReadOnly("ORV_004", kSize));
    if (::geteuid() == 0) {
        Plant("ORV_004", 0600, kSize, 'y');
        const QByteArray sys = CSharedMemory::SystemName("ORV_004").toLocal8Bit();
        ASSERT_EQ(::chown(("/dev/shm" + sys).constData(), 65534, 65534), 0);
        EXPECT_FALSE(CSharedMemory().OpenReadOnly("ORV_004", kSize)); // another user's
    }
    CSharedMemory::Unlink("ORV_004");
    EXPECT_FALSE(CSharedMemory().OpenReadOnly("ORV_004", kSize));
}

} // namespace
