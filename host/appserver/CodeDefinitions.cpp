#include "CodeDefinitions.h"

#include "platform/SysUtils.h"

namespace vondrel {

namespace {

// A voucher type the user may use: one open to every group, or to the user's group.
#define VOUCHER_TYPE_ALLOWED(user)                                                                           \
    " AND (MQ005 = '' OR EXISTS (SELECT 1 FROM KMBMA WHERE KMBMA.MA001 = " user                              \
    " AND ',' + MQ005 + ',' LIKE '%,' + KMBMA.MA003 + ',%'))"

// The result elements are what the job forms read: see the comments beside each.
constexpr TCodeDefinition kChecks[] = {
    // Program master: 0 name, 4 log flag, 7 English name.
    {"ADMMB", "01",
     "SELECT MB002, MB001, MB003, MB004, MB005, MB006, MB007, MB008 FROM ADMMB WHERE MB001 = :P1"},
    // Program rule: 3 "Y" when the job may not be run at once.
    {"ADMMB", "11", "SELECT MB001, MB002, MB004, MB009 FROM ADMMB WHERE MB001 = :P1"},
    // A scheme of this name exists for the user and program.
    {"GENES", "01",
     "SELECT NCONDITION, CREATOR, PROGRAMME, CREATE_DATE FROM GENES"
     " WHERE NCONDITION = :P1 AND CREATOR = :P2 AND PROGRAMME = :P3"},
    // Users: id, name, mobile, mail.
    {"KMBMA", "04", "SELECT MA001, MA002, MA005, MA006 FROM KMBMA WHERE MA001 = :P1 AND MA004 = 'Y'"},
    // Ledger parameters: element i is column MC0(i+1): 9 voucher category, 13 kind lock,
    // 14 exchange voucher type, 15 exchange gain/loss account, 17 name mode.
    {"ACTMC", "01",
     "SELECT MC001, MC002, MC003, MC004, MC005, MC006, MC007, MC008, MC009, MC010, MC011, MC012,"
     " MC013, MC014, MC015, MC016, MC017, MC018, MC019, MC020, MC021, MC022, MC023 FROM $$ACTMC"},
    // Period of (year, period): 0 first day, 1 last day, 2 closed.
    {"ACTMH", "02",
     "SELECT MH003, MH004, MH005, MH001, MH002 FROM $$ACTMH WHERE MH001 = :P1 AND MH002 = :P2"},
    // Voucher type of a category that the user may use: [type, category, user].
    {"CMSMQ", "44",
     "SELECT MQ001, MQ002, MQ003 FROM $$CMSMQ WHERE MQ001 = :P1 AND MQ003 = :P2 AND MQ006 = "
     "'Y'" VOUCHER_TYPE_ALLOWED(":P3")},
    // Voucher type the user may use: [type, user].
    {"CMSMQ", "45",
     "SELECT MQ001, MQ002, MQ003 FROM $$CMSMQ WHERE MQ001 = :P1 AND MQ006 = 'Y'" VOUCHER_TYPE_ALLOWED(":P2")},
    // Voucher type: 0 name.
    {"CMSMQ", "52", "SELECT MQ002, MQ001, MQ003, MQ004 FROM $$CMSMQ WHERE MQ001 = :P1"},
    // A detail account that takes postings: 1 name, 5 department, 6 customer, 7 item-1
    // category, 8 item-2 category, 9 supplier, 10 staff, 11 project.
    {"ACTMA", "13",
     "SELECT MA001, MA003, MA004, MA006, MA007, MA009, MA039, MA012, MA014, MA040, MA041, MA045, MA005, MA010"
     " FROM $$ACTMA WHERE MA001 = :P1 AND MA005 = 'Y' AND MA010 = 'Y'"},
    // The department may be used with the account: [account, department]. An account
    // without a list of departments takes every department.
    {"ACTME", "03",
     "SELECT MA001, MA003 FROM $$ACTMA WHERE MA001 = :P1"
     " AND (NOT EXISTS (SELECT 1 FROM $$ACTME WHERE ME001 = :P1)"
     " OR EXISTS (SELECT 1 FROM $$ACTME WHERE ME001 = :P1 AND ME002 = :P2))"},
    // Department: 0 name.
    {"CMSME", "01", "SELECT ME002, ME001, ME003, ME004 FROM $$CMSME WHERE ME001 = :P1 AND ME005 = 'Y'"},
    // Customer: 0 short name, 1 full name.
    {"COPMA", "01", "SELECT MA002, MA003, MA001, MA006, MA004 FROM $$COPMA WHERE MA001 = :P1"},
    // Staff: 4 name.
    {"CMSMV", "04", "SELECT MV001, MV003, MV004, MV005, MV002 FROM $$CMSMV WHERE MV001 = :P1"},
    // Staff: 0 name.
    {"CMSMV", "01", "SELECT MV002, MV001, MV003 FROM $$CMSMV WHERE MV001 = :P1"},
    // Supplier: 0 short name, 4 full name.
    {"PURMA", "01", "SELECT MA002, MA001, MA004, MA006, MA003 FROM $$PURMA WHERE MA001 = :P1"},
    // Accounting item of a category: [code, category]: 1 name.
    {"ACTMF", "03",
     "SELECT MF002, MF003, MF001 FROM $$ACTMF WHERE MF002 = :P1 AND MF001 = :P2 AND MF005 = 'Y'"},
    // A category that has items: [category]: the first item, 1 its name.
    {"ACTMF", "04",
     "SELECT MF002, MF003, MF001 FROM $$ACTMF WHERE MF001 = :P1 AND MF005 = 'Y' ORDER BY MF002"},
    // Project: 0 name.
    {"CMSNO", "01", "SELECT NO002, NO001, NO003 FROM $$CMSNO WHERE NO001 = :P1"},
    // Currency: 0 name.
    {"CMSMF", "01", "SELECT MF002, MF001, MF003, MF006 FROM $$CMSMF WHERE MF001 = :P1"},
};

constexpr TCodeDefinition kLookups[] = {
    // Users: id, name, mobile, mail.
    {"KMBMA", "04", "SELECT MA001, MA002, MA005, MA006 FROM KMBMA WHERE MA004 = 'Y' ORDER BY MA001"},
    // Voucher types of a category the user may use: [category, user].
    {"CMSMQ", "47",
     "SELECT MQ001, MQ002, MQ003 FROM $$CMSMQ WHERE MQ003 = :P1 AND MQ006 = 'Y'" VOUCHER_TYPE_ALLOWED(
         ":P2") " ORDER BY MQ001"},
    // Voucher types the user may use: [user].
    {"CMSMQ", "48",
     "SELECT MQ001, MQ002, MQ003 FROM $$CMSMQ WHERE MQ006 = 'Y'" VOUCHER_TYPE_ALLOWED(
         ":P1") " ORDER BY MQ001"},
    // Detail accounts, optionally those beginning with a prefix: [prefix].
    {"ACTMA", "13",
     "SELECT MA001, MA003, MA004, MA006 FROM $$ACTMA WHERE MA005 = 'Y' AND MA010 = 'Y'"
     " AND MA001 LIKE :P1 + '%' ORDER BY MA001"},
    {"CMSME", "01", "SELECT ME001, ME002, ME003 FROM $$CMSME WHERE ME005 = 'Y' ORDER BY ME001"},
    // Customers and suppliers: code, short name, full name.
    {"COPMA", "01", "SELECT MA001, MA002, MA003 FROM $$COPMA ORDER BY MA001"},
    {"PURMA", "01", "SELECT MA001, MA002, MA003 FROM $$PURMA ORDER BY MA001"},
    {"CMSMV", "01", "SELECT MV001, MV002, MV003 FROM $$CMSMV ORDER BY MV001"},
    // Items of a category: [category].
    {"ACTMF", "04",
     "SELECT MF002, MF003, MF001 FROM $$ACTMF WHERE MF001 = :P1 AND MF005 = 'Y' ORDER BY MF002"},
    {"CMSNO", "01", "SELECT NO001, NO002, NO004, NO005 FROM $$CMSNO WHERE NO006 = 'N' ORDER BY NO001"},
    // Currencies: all of them, or all but one (the local currency): [currency].
    {"CMSMF", "01", "SELECT MF001, MF002, MF003, MF006 FROM $$CMSMF ORDER BY MF001"},
    {"CMSMF", "02", "SELECT MF001, MF002, MF003, MF006 FROM $$CMSMF WHERE MF001 <> :P1 ORDER BY MF001"},
};

#undef VOUCHER_TYPE_ALLOWED

template <std::size_t N>
const TCodeDefinition* Find(const TCodeDefinition (&definitions)[N], std::string_view table,
                            std::string_view number) {
    const std::string t = Trim(table);
    const std::string n = Trim(number);
    for (const TCodeDefinition& definition : definitions)
        if (SameText(definition.Table, t) && definition.Number == n)
            return &definition;
    return nullptr;
}

} // namespace

const TCodeDefinition* FindCheck(std::string_view table, std::string_view number) {
    return Find(kChecks, table, number);
}

const TCodeDefinition* FindLookup(std::string_view table, std::string_view number) {
    return Find(kLookups, table, number);
}

} // namespace vondrel
