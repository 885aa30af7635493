#pragma once

#include "support/DemoInstall.h"
#include "VariantJson.h"

#include "platform/ClassFactory.h"
#include "platform/Database.h"
#include "platform/DateTime.h"
#include "platform/SysUtils.h"

#include <vondrel/Variant.h>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace vondrel {

/// Shows variants in failure messages with their kinds.
inline void PrintTo(const Variant& value, std::ostream* os) {
    try {
        *os << VariantToJson(value);
    } catch (const std::exception&) {
        *os << "<object>";
    }
}

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

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0);

/// An option array as the job form sends it: texts already wide, the job's sixteen
/// options, the log switch and the print date, and for a recurring job the schedule.
Variant DemoOptionArray(bool recurring);

/// The differences the revaluation preview shows, by account/currency/customer-or-
/// supplier, computed from the answers of a "SimpleSql" function; and the ones a hand
/// calculation of the demo company gives.
std::map<std::string, double>
RevaluationDifferences(const std::function<Variant(const std::string&, const std::string&)>& simpleSql);
std::map<std::string, double> DemoRevaluationDifferences();

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
