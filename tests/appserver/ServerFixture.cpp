#include "ServerFixture.h"

#include "platform/DateTime.h"

#include <cmath>

namespace vondrel {

TDateTime At(int year, int month, int day, int hour, int minute) {
    return *TryEncodeDate(year, month, day) + (hour * 60 + minute) / 1440.0;
}

Variant DemoOptionArray(bool recurring) {
    Variant environment = VarArrayCreate({{1, 12}});
    environment[1] = u"ZORB71";
    environment[2] = 12;
    environment[3] = 18;
    environment[4] = u"DEMO";
    environment[5] = u"KM01";
    environment[6] = u"DEMO";
    environment[7] = Variant::FromDate(At(2026, 12, 31, 9, 15));
    environment[8] = u"ZORB71S.Class1";
    environment[9] = recurring ? u"b" : u"B";
    environment[10] = recurring ? 2 : 0;
    environment[11] = Variant::FromDate(At(2026, 12, 31, 18, 30));
    environment[12] =
        u"<?xml version=\"1.0\" encoding=\"GB2312\"?><Root><R1 ID=\"KM01\" Name=\"\" Type=\"5\" "
        u"Msg=\"YNN\"/></Root>";

    const char16_t* const captions[18][2] = {
        {u"凭证单别", u"ed03"},
        {u"凭证日期", u"me06"},
        {u"摘要", u"ed07"},
        {u"汇兑损益入账科目", u"ed08"},
        {u"部门编号", u"ed09"},
        {u"客户编号", u"ed10"},
        {u"人员编号", u"ed11"},
        {u"供应商编号", u"ed12"},
        {u"核算项目一编号", u"ed13"},
        {u"核算项目二编号", u"ed14"},
        {u"选择币种", u"sp05"},
        {u"转账类型", u"rg01"},
        {u"按科目余额方向反向结转", u"chk04"},
        {u"转账年期", u"me02"},
        {u"凭证自动过账", u"chk15"},
        {u"项目编号", u"ed15"},
        {u"生成Log文档", u"chkLog"},
        {u"制表日期", u"edPrintDate"},
    };
    Variant names = VarArrayCreate({{1, 18}});
    for (int i = 0; i < 18; ++i)
        names[i + 1] = VarArrayOf({captions[i][0], captions[i][1]});
    Variant values = VarArrayCreate({{1, 18}});
    const char16_t* const texts[] = {u"TH", u"20261231", u"期末汇兑损益结转", u"6603", u"D01", u"", u"", u"",
                                     u"",   u""};
    for (int i = 0; i < 10; ++i)
        values[i + 1] = texts[i];
    values[11] = VarArrayOf({u"\x05", VarArrayOf({u"USD", u"美元"}), VarArrayOf({u"EUR", u"欧元"})});
    values[12] = VarArrayOf({1, u"汇兑损益结转"});
    values[13] = u"N";
    values[14] = u"202612";
    values[15] = u"Y";
    values[16] = u"P01";
    values[17] = u"Y";
    values[18] = u"20261231";
    if (!recurring)
        return VarArrayOf({environment, names, values});
    const Variant schedule =
        VarArrayOf({"Y", "08:30", VarArrayOf({3, 1.5}), VarArrayOf({"20261201", 1, "12"})});
    const Variant rules = VarArrayOf({u"1\x03me06\x03Y\x03"
                                      u"0\x03"
                                      u"1\x03"
                                      u"2\x03"
                                      u"0\x03D"});
    return VarArrayOf({environment, names, values, schedule, rules});
}

// The exchange revaluation preview as the job computes it from the server's answers:
// one balance query, then one rate query per row; rate 1 when there is none; rows whose
// difference is zero are left out.
std::map<std::string, double>
RevaluationDifferences(const std::function<Variant(const std::string&, const std::string&)>& simpleSql) {
    const std::string balances =
        " SELECT LE001,ACTMA.MA003 AS ACTMA003,LE004,ACTMA.MA023 AS ACTMA023,  ACTMA.MA024 AS "
        "ACTMA024,LE006,LE007,LE008,ME002,LE009,MV002,LE010,MF1.MF003 AS MF1003,  LE011,MF2.MF003 AS "
        "MF2003,SUM(LE014-LE017) AS MONEYB,SUM(LE013-LE016) AS MONEYF ,COPMA.MA003 AS FCOPMA,PURMA.MA003 AS "
        "FPURMA "
        ",LE034,CMSNO.NO002 AS CMSNO002  FROM $$ACTLE ACTLE  INNER JOIN $$ACTMA ACTMA ON LE001= ACTMA.MA001  "
        "AND "
        "ACTMA.MA027='Y' LEFT JOIN $$COPMA COPMA ON LE006= COPMA.MA001  LEFT JOIN $$PURMA PURMA ON LE007= "
        "PURMA.MA001  LEFT JOIN $$CMSME CMSME ON LE008= ME001  LEFT JOIN $$CMSMV CMSMV ON LE009= MV001  LEFT "
        "JOIN "
        "$$ACTMF MF1 ON LE010= MF1.MF002  LEFT JOIN $$ACTMF MF2 ON LE011= MF2.MF002  LEFT JOIN $$CMSNO CMSNO "
        "ON "
        "LE034= CMSNO.NO001  WHERE 1=1   AND LE004<>'RMB' AND LE002+LE003 BETWEEN 202600 AND 202612  GROUP "
        "BY "
        "LE001,LE004,LE006,LE007,LE008,LE009,LE010,LE011,ACTMA.MA003,ACTMA.MA024,ME002,MV002,MF1.MF003,MF2."
        "MF003, "
        "ACTMA.MA023  ,COPMA.MA003, PURMA.MA003 ,ACTMA.MA023 ,LE034,CMSNO.NO002 ";
    const Variant rows =
        simpleSql(balances, " LE001,ACTMA003,LE006,FCOPMA,LE007,FPURMA,LE008,ME002,LE009,MV002,LE010,"
                            "MF1003,LE011,MF2003,LE004,MONEYF,MONEYB,ACTMA023,LE034,CMSNO002 ");
    if (!rows.IsArray())
        return {};
    std::map<std::string, double> differences;
    for (int i = rows.LowBound(); i <= rows.HighBound(); ++i) {
        const Variant& row = rows[i];
        const Variant rate = simpleSql(" Select  MG007 from $$CMSMG CMSMG WHERE MG001='" + VarToStr(row[14]) +
                                           "' and MG002<='20261231'  Order by MG002 desc ",
                                       "MG007");
        const double r = rate.IsArray() ? rate[0][0].AsDouble() : 1.0;
        const double d = row[15].AsDouble() * r - row[16].AsDouble();
        if (std::fabs(d) > 1e-10)
            differences[VarToStr(row[0]) + "/" + VarToStr(row[14]) + "/" + VarToStr(row[2]) +
                        VarToStr(row[4])] = std::round(d * 100) / 100;
    }
    return differences;
}

std::map<std::string, double> DemoRevaluationDifferences() {
    return {
        {"100201/USD/", 1050},     // 12500 × 7.10 − 87700
        {"100202/EUR/", 50},       // 4500 × 7.80 (rate of 15 Dec) − 35050
        {"1122/USD/C001", 300},    // 3000 × 7.10 − 21000
        {"1122/USD/C002", 50},     // −500 × 7.10 + 3600
        {"2202/JPY/S001", -95200}, // no yen rate: −100000 × 1 + 4800
        {"2202/EUR/S002", -100},   // −1000 × 7.80 + 7700
    };                             // HKD: 10000 × 0.91 − 9100 = 0, left out
}

} // namespace vondrel
