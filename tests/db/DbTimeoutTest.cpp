// A server that accepts the connection and then never answers must not
// freeze the terminal: the connect gives up at its timeout and the terminal
// goes off line. No database is needed: a bare listening socket plays the
// silent server.

#include "TestOffLinePolicy.h"
#include "TempDir.h"
#include "core/IniFile.h"
#include "core/ScriptedDialogService.h"
#include "db/DataModule.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace pos {
namespace {

TEST(DbTimeoutTest, SilentServerTimesOutAndGoesOffLine)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 4), 0);
    socklen_t len = sizeof addr;
    ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &len), 0);

    test::TempDir dir;
    IniFile posIp;
    posIp.writeInteger("MAIN", "Port", ntohs(addr.sin_port));
    ASSERT_TRUE(posIp.save(dir / "POSIP.ini"));
    TTerminalContext ctx;
    ctx.gsFolder = dir.path().string() + "/";
    ctx.gsServerIP = "127.0.0.1";
    ctx.gsServerDB = "pos";
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    test::TestOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    TDbTimeouts timeouts;
    timeouts.connectSeconds = 1;
    data.SetTimeouts(timeouts);
    ASSERT_TRUE(data.DataModuleCreate("pos"));

    EXPECT_FALSE(data.ConnectDB(true, false));
    EXPECT_TRUE(ctx.gbOffLine);
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, "데이터베이스와 연결할 수 없습니다.\rtimeout expired");
    ::close(listener);
}

TEST(DbTimeoutTest, StartingWithoutADatabaseUserIsRefused)
{
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    test::TestOffLinePolicy offLinePolicy;
    TfrmData data(ctx, catalogue, dialogs, offLinePolicy);
    EXPECT_FALSE(data.DataModuleCreate(""));
    ASSERT_NE(dialogs.last(), nullptr);
    EXPECT_EQ(dialogs.last()->text, "DB 사용자를 설정하지 않았습니다.\r전산팀에 문의하십시오.");
    EXPECT_TRUE(dialogs.last()->beep);
}

}  // namespace
}  // namespace pos
