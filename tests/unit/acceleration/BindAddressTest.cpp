// The address a run binds its capture socket to.
#include "CaptureFixture.h"
#include <string>

using namespace acceltest;

namespace {
class BindAddressTest : public CaptureTest {};

std::string BoundAddress()
{
    sockaddr_in bound{};
    int length = sizeof bound;
    if (::getsockname(g_sockCapture.load(), reinterpret_cast<sockaddr*>(&bound), &length) != 0) return "(none)";
    return ::inet_ntoa(bound.sin_addr);
}
} // namespace

TEST_F(BindAddressTest, TheFirstAddressThatIsNeitherLoopbackNorAnyIsChosen)
{
    struct Case {
        std::initializer_list<const char*> table;
        const char* chosen;
    };
    const Case cases[] = {
        {{"127.0.0.1", "192.168.1.7"}, "192.168.1.7"},
        {{"0.0.0.0", "127.0.0.1", "10.1.2.3", "192.168.1.7"}, "10.1.2.3"},
        {{"127.0.0.1", "0.0.0.0"}, "127.0.0.1"},
        {{"0.0.0.0", "127.0.0.1"}, "0.0.0.0"},
        {{}, ""},
        // Only "127.0.0.1" itself is passed over, not the rest of the loopback network.
        {{"127.0.0.1", "127.0.0.2"}, "127.0.0.2"},
    };
    for (const Case& c : cases) {
        UseAddressTable(c.table);
        EXPECT_STREQ(c.chosen, ChooseBindAddress()) << "table of " << c.table.size();
    }
}

TEST_F(BindAddressTest, EntriesPastTheCountAreNotConsidered)
{
    UseAddressTable({"127.0.0.1", "192.168.1.7"});
    g_nLocalAddressCount = 1;
    EXPECT_STREQ("127.0.0.1", ChooseBindAddress());
}

TEST_F(BindAddressTest, TheCaptureSocketIsBoundToTheChosenAddress)
{
    struct Case {
        std::initializer_list<const char*> table;
        const char* bound;
    };
    const Case cases[] = {
        {{"127.0.0.1", "127.0.0.2"}, "127.0.0.2"},
        {{"127.0.0.1", "0.0.0.0"}, "127.0.0.1"},
    };
    g_pfnCreateCaptureSocket = &CreateDatagramSocket;
    for (const Case& c : cases) {
        UseAddressTable(c.table);
        OpenCaptureSocket();
        EXPECT_EQ(c.bound, BoundAddress());
        CloseCaptureSocket();
        EXPECT_EQ(INVALID_SOCKET, g_sockCapture.load());
    }
}
