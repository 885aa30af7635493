#pragma once

#include "DemoInstall.h"

#include "platform/ClassFactory.h"
#include "platform/Database.h"
#include "platform/SysUtils.h"

#include <vondrel/Variant.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vondrel {

/// A fresh demo company and the server created by its class name through the class
/// factory, called late-bound as the job module calls it.
class ServerTest : public testing::Test {
protected:
    TTempDemo demo;
    Variant server{CreateOleObject("Quorvex.dmReportCounter")};

    /// The counter service's "SimpleSql" with the arguments the job passes.
    Variant SimpleSql(const std::string& statement, const std::string& fields) {
        Variant args = VarArrayOf({Variant(statement), Variant(fields), "", "N"});
        return server.Call("GetCounter", "SIMPLESQL", args, VarArrayOf({"DEMO", "DEMO"}));
    }
    std::string ErrorText() { return server.Call("ErrorDescript").AsString(); }

    /// A direct look at the demo databases, past the server.
    std::int64_t Count(const std::string& statement) {
        TDatabase db;
        db.Open(SqliteConnectString(demo.Install().SystemFile));
        db.CompanyDatabase = kDemoDatabaseName;
        TQuery query(db);
        query.SetSQL(statement);
        query.Open();
        return query.Field(0).AsInteger();
    }
    void ExecuteDirect(const std::string& statement) {
        TDatabase db;
        db.Open(SqliteConnectString(demo.Install().SystemFile));
        db.CompanyDatabase = kDemoDatabaseName;
        db.Execute(statement);
    }
};

/// The texts of a one-dimensional array's elements.
inline std::vector<std::string> Texts(const Variant& array) {
    std::vector<std::string> texts;
    if (!array.IsArray())
        return texts;
    for (int i = array.LowBound(); i <= array.HighBound(); ++i)
        texts.push_back(array[i].IsArray() ? "<array>" : VarToStr(array[i]));
    return texts;
}

/// Element `column` of every row of an array of rows.
inline std::vector<std::string> Column(const Variant& rows, int column) {
    std::vector<std::string> texts;
    if (!rows.IsArray())
        return texts;
    for (int i = rows.LowBound(); i <= rows.HighBound(); ++i)
        texts.push_back(VarToStr(rows[i][column]));
    return texts;
}

} // namespace vondrel
