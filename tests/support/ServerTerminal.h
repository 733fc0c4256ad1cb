#pragma once
// A terminal wired to a fresh test database: a program folder of its own
// ("POSIP.ini" and "ZoUpdate.ini" naming the server), the context pointing
// at the server, the shipped catalogue with the test's own statements after
// it, scripted message boxes and the data module (created, not connected).
// The test sets the rest of the context. Test programs that use it define
// POS_SOURCE_DIR.

#include "PgTestDatabase.h"
#include "ServerFiles.h"
#include "TempDir.h"
#include "TestOffLinePolicy.h"
#include "core/Codec.h"
#include "core/FileIO.h"
#include "core/ScriptedDialogService.h"
#include "db/Catalogue.h"
#include "db/DataModule.h"
#include "db/DayLog.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pos::test {

class ServerTerminal : public ::testing::Test {
protected:
    explicit ServerTerminal(std::string_view aTestStatements = {})
    {
        ctx.gsFolder = dir.path().string() + "/";
        ctx.gsServerIP = db.host();
        ctx.gsServerDB = db.name();
        WriteServerFiles(db, dir.path());
        LoadShippedCatalogue(catalogue, aTestStatements);
        data = std::make_unique<TfrmData>(ctx, catalogue, dialogs, offLinePolicy);
        EXPECT_TRUE(data->DataModuleCreate(db.user()));
    }

    // The day log of the context's day, as text.
    std::string log() const { return FromCp949(ReadWholeFile(DayLogPath(ctx)).value_or("")); }
    // The texts of the message boxes shown so far, in order.
    std::vector<std::string> shown() const
    {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }
    // The number a counting statement gives, read behind the terminal's back.
    int count(const std::string& aSql) const { return std::stoi(db.query(aSql)); }

    PgTestDatabase db;
    TempDir dir;
    TTerminalContext ctx;
    TSqlCatalogue catalogue;
    ScriptedDialogService dialogs;
    TestOffLinePolicy offLinePolicy;
    std::unique_ptr<TfrmData> data;
};

}  // namespace pos::test
