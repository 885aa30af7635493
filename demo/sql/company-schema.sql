-- A company database of the general ledger. Portable SQL (SQLite and PostgreSQL).
-- Codes and flags are texts; dates are texts "yyyymmdd", periods "yyyymm" or a year and
-- a two-digit period; amounts are NUMERIC. A dimension that a row does not use holds ''.

-- System parameters of the company (read as name/value pairs)
CREATE TABLE CMSSP (
    SP001 VARCHAR(20) NOT NULL PRIMARY KEY, -- parameter name
    SP002 VARCHAR(255) NOT NULL,            -- value
    SP003 VARCHAR(80) NOT NULL              -- description
);

-- Ledger parameters: one row
CREATE TABLE ACTMC (
    MC001 VARCHAR(2) NOT NULL PRIMARY KEY, -- ledger
    MC002 VARCHAR(4) NOT NULL,             -- local currency
    MC003 VARCHAR(4) NOT NULL,             -- current year
    MC004 VARCHAR(2) NOT NULL,             -- current period
    MC005 VARCHAR(20) NOT NULL,            -- account code layout
    MC006 VARCHAR(2) NOT NULL,             -- periods per year
    MC007 VARCHAR(4) NOT NULL,             -- first year of the ledger
    MC008 VARCHAR(1) NOT NULL,             -- Y: vouchers are numbered automatically
    MC009 VARCHAR(1) NOT NULL,             -- decimals of amounts
    MC010 VARCHAR(2) NOT NULL,             -- voucher category of the ledger's own vouchers
    MC011 VARCHAR(20) NOT NULL,            -- current-year profit account
    MC012 VARCHAR(20) NOT NULL,            -- profit distribution account
    MC013 VARCHAR(1) NOT NULL,             -- Y: vouchers must be reviewed before posting
    MC014 VARCHAR(1) NOT NULL,             -- 1: only exchange revaluation may be carried forward
    MC015 VARCHAR(4) NOT NULL,             -- voucher type of exchange revaluation
    MC016 VARCHAR(20) NOT NULL,            -- exchange gain/loss account
    MC017 VARCHAR(1) NOT NULL,             -- Y: foreign currencies are kept
    MC018 VARCHAR(1) NOT NULL,             -- 1: show short names of customers and suppliers
    MC019 VARCHAR(1) NOT NULL,             -- Y: departments are used
    MC020 VARCHAR(1) NOT NULL,             -- Y: projects are used
    MC021 VARCHAR(6) NOT NULL,             -- last closed period
    MC022 VARCHAR(6) NOT NULL,             -- first period of the ledger
    MC023 VARCHAR(6) NOT NULL              -- open period: jobs may not run for a period before it
);

-- Periods
CREATE TABLE ACTMH (
    MH001 VARCHAR(4) NOT NULL, -- year
    MH002 VARCHAR(2) NOT NULL, -- period
    MH003 VARCHAR(8) NOT NULL, -- first day
    MH004 VARCHAR(8) NOT NULL, -- last day
    MH005 VARCHAR(1) NOT NULL, -- Y: closed
    PRIMARY KEY (MH001, MH002)
);

-- Chart of accounts
CREATE TABLE ACTMA (
    MA001 VARCHAR(20) NOT NULL PRIMARY KEY, -- account code
    MA002 VARCHAR(80) NOT NULL,             -- English name
    MA003 VARCHAR(60) NOT NULL,             -- name
    MA004 VARCHAR(120) NOT NULL,            -- full name
    MA005 VARCHAR(1) NOT NULL,              -- Y: detail account (takes postings)
    MA006 VARCHAR(1) NOT NULL,              -- class: 1 balance sheet, 2 profit and loss
    MA007 VARCHAR(2) NOT NULL,              -- normal balance: 1 debit, -1 credit
    MA008 INTEGER NOT NULL,                 -- level
    MA009 VARCHAR(1) NOT NULL,              -- Y: department dimension
    MA010 VARCHAR(1) NOT NULL,              -- Y: active
    MA011 VARCHAR(20) NOT NULL,             -- parent account
    MA012 VARCHAR(2) NOT NULL,              -- accounting item 1 category, 0 none
    MA013 VARCHAR(10) NOT NULL,             -- quantity unit
    MA014 VARCHAR(2) NOT NULL,              -- accounting item 2 category, 0 none
    MA015 VARCHAR(1) NOT NULL,              -- Y: foreign currency amounts are kept
    MA016 VARCHAR(1) NOT NULL,              -- Y: may receive carried-forward balances
    MA017 VARCHAR(4) NOT NULL,              -- default currency
    MA019 VARCHAR(2) NOT NULL,              -- account type: 1 asset, 2 liability, 3 equity, 4 cost, 5 profit and loss
    MA020 VARCHAR(1) NOT NULL,              -- D or C: side of the balance
    MA023 VARCHAR(1) NOT NULL,              -- rate used for revaluation: 1 period-end rate
    MA024 VARCHAR(20) NOT NULL,             -- own gain/loss account for revaluation ('' the ledger's)
    MA027 VARCHAR(1) NOT NULL,              -- Y: revalued at period end
    MA028 VARCHAR(1) NOT NULL,              -- Y: carried forward at period end
    MA029 VARCHAR(20) NOT NULL,             -- current-year profit account it is carried to
    MA031 VARCHAR(60) NOT NULL,             -- summary of carried-forward entries
    MA039 VARCHAR(1) NOT NULL,              -- Y: customer dimension
    MA040 VARCHAR(1) NOT NULL,              -- Y: supplier dimension
    MA041 VARCHAR(1) NOT NULL,              -- Y: staff dimension
    MA045 VARCHAR(1) NOT NULL               -- Y: project dimension
);
CREATE INDEX ACTMA_REVALUE ON ACTMA (MA027);
CREATE INDEX ACTMA_CARRY ON ACTMA (MA028, MA006);

-- Departments allowed per account (an account without rows allows every department)
CREATE TABLE ACTME (
    ME001 VARCHAR(20) NOT NULL, -- account
    ME002 VARCHAR(10) NOT NULL, -- department
    PRIMARY KEY (ME001, ME002)
);

-- Accounting items; codes are unique over all categories
CREATE TABLE ACTMF (
    MF001 VARCHAR(2) NOT NULL,              -- category
    MF002 VARCHAR(20) NOT NULL PRIMARY KEY, -- code
    MF003 VARCHAR(60) NOT NULL,             -- name
    MF004 VARCHAR(20) NOT NULL,             -- parent item
    MF005 VARCHAR(1) NOT NULL               -- Y: active
);
CREATE INDEX ACTMF_CATEGORY ON ACTMF (MF001, MF002);

-- Departments
CREATE TABLE CMSME (
    ME001 VARCHAR(10) NOT NULL PRIMARY KEY, -- code
    ME002 VARCHAR(60) NOT NULL,             -- name
    ME003 VARCHAR(10) NOT NULL,             -- parent department
    ME004 VARCHAR(10) NOT NULL,             -- manager (staff code)
    ME005 VARCHAR(1) NOT NULL               -- Y: active
);

-- Staff
CREATE TABLE CMSMV (
    MV001 VARCHAR(10) NOT NULL PRIMARY KEY, -- code
    MV002 VARCHAR(40) NOT NULL,             -- name
    MV003 VARCHAR(10) NOT NULL,             -- department
    MV004 VARCHAR(40) NOT NULL,             -- position
    MV005 VARCHAR(30) NOT NULL,             -- mobile number
    MV006 VARCHAR(80) NOT NULL,             -- mail address
    MV007 VARCHAR(8) NOT NULL               -- joined
);

-- Customers and suppliers
CREATE TABLE COPMA (
    MA001 VARCHAR(10) NOT NULL PRIMARY KEY, -- code
    MA002 VARCHAR(40) NOT NULL,             -- short name
    MA003 VARCHAR(120) NOT NULL,            -- full name
    MA004 VARCHAR(40) NOT NULL,             -- contact
    MA005 VARCHAR(30) NOT NULL,             -- telephone
    MA006 VARCHAR(4) NOT NULL,              -- trading currency
    MA007 VARCHAR(20) NOT NULL              -- region
);

CREATE TABLE PURMA (
    MA001 VARCHAR(10) NOT NULL PRIMARY KEY,
    MA002 VARCHAR(40) NOT NULL,
    MA003 VARCHAR(120) NOT NULL,
    MA004 VARCHAR(40) NOT NULL,
    MA005 VARCHAR(30) NOT NULL,
    MA006 VARCHAR(4) NOT NULL,
    MA007 VARCHAR(20) NOT NULL
);

-- Projects
CREATE TABLE CMSNO (
    NO001 VARCHAR(10) NOT NULL PRIMARY KEY, -- code
    NO002 VARCHAR(60) NOT NULL,             -- name
    NO003 VARCHAR(10) NOT NULL,             -- manager (staff code)
    NO004 VARCHAR(8) NOT NULL,              -- start
    NO005 VARCHAR(8) NOT NULL,              -- end
    NO006 VARCHAR(1) NOT NULL               -- Y: closed
);

-- Currencies
CREATE TABLE CMSMF (
    MF001 VARCHAR(4) NOT NULL PRIMARY KEY, -- code
    MF002 VARCHAR(40) NOT NULL,            -- name
    MF003 VARCHAR(4) NOT NULL,             -- symbol
    MF004 INTEGER NOT NULL,                -- decimals of amounts
    MF005 INTEGER NOT NULL,                -- decimals of rates
    MF006 VARCHAR(40) NOT NULL             -- English name
);

-- Exchange rates per currency and date
CREATE TABLE CMSMG (
    MG001 VARCHAR(4) NOT NULL,     -- currency
    MG002 VARCHAR(8) NOT NULL,     -- date
    MG003 NUMERIC(18,6) NOT NULL,  -- buying rate
    MG004 NUMERIC(18,6) NOT NULL,  -- selling rate
    MG005 NUMERIC(18,6) NOT NULL,  -- middle rate
    MG006 NUMERIC(18,6) NOT NULL,  -- customs rate
    MG007 NUMERIC(18,6) NOT NULL,  -- period-end rate used for revaluation
    PRIMARY KEY (MG001, MG002)
);

-- Voucher types
CREATE TABLE CMSMQ (
    MQ001 VARCHAR(4) NOT NULL PRIMARY KEY, -- code
    MQ002 VARCHAR(40) NOT NULL,            -- name
    MQ003 VARCHAR(2) NOT NULL,             -- category: 1 ledger vouchers, 2 vouchers of other modules
    MQ004 VARCHAR(1) NOT NULL,             -- numbering: 1 per month, 2 per year
    MQ005 VARCHAR(60) NOT NULL,            -- user groups allowed, comma-separated ('' all)
    MQ006 VARCHAR(1) NOT NULL              -- Y: active
);

-- Vouchers and their lines
CREATE TABLE ACTTA (
    TA001 VARCHAR(4) NOT NULL,     -- voucher type
    TA002 VARCHAR(11) NOT NULL,    -- number
    TA003 VARCHAR(8) NOT NULL,     -- date
    TA004 VARCHAR(120) NOT NULL,   -- summary
    TA005 VARCHAR(20) NOT NULL,    -- entered by
    TA006 VARCHAR(20) NOT NULL,    -- posted by
    TA007 INTEGER NOT NULL,        -- attachments
    TA008 NUMERIC(18,4) NOT NULL,  -- debit total
    TA009 NUMERIC(18,4) NOT NULL,  -- credit total
    TA010 VARCHAR(1) NOT NULL,     -- N normal, V void
    TA011 VARCHAR(1) NOT NULL,     -- Y: posted
    TA012 VARCHAR(10) NOT NULL,    -- source program ('' entered by hand)
    PRIMARY KEY (TA001, TA002)
);
CREATE INDEX ACTTA_DATE ON ACTTA (TA003, TA011);

CREATE TABLE ACTTB (
    TB001 VARCHAR(4) NOT NULL,     -- voucher type
    TB002 VARCHAR(11) NOT NULL,    -- number
    TB003 INTEGER NOT NULL,        -- line
    TB004 VARCHAR(20) NOT NULL,    -- account
    TB005 VARCHAR(120) NOT NULL,   -- summary
    TB006 VARCHAR(2) NOT NULL,     -- 1 debit, -1 credit
    TB007 VARCHAR(4) NOT NULL,     -- currency
    TB008 NUMERIC(18,6) NOT NULL,  -- rate
    TB009 NUMERIC(18,4) NOT NULL,  -- amount in the currency
    TB010 NUMERIC(18,4) NOT NULL,  -- amount in the local currency
    TB011 NUMERIC(16,4) NOT NULL,  -- quantity
    TB012 VARCHAR(10) NOT NULL,    -- department
    TB013 VARCHAR(10) NOT NULL,    -- customer
    TB014 VARCHAR(10) NOT NULL,    -- supplier
    TB015 VARCHAR(10) NOT NULL,    -- staff
    TB016 VARCHAR(20) NOT NULL,    -- accounting item 1
    TB017 VARCHAR(20) NOT NULL,    -- accounting item 2
    TB018 VARCHAR(10) NOT NULL,    -- project
    PRIMARY KEY (TB001, TB002, TB003)
);
CREATE INDEX ACTTB_ACCOUNT ON ACTTB (TB004);

-- Balances: one row per account, year, period, currency and dimensions; period 00 holds
-- the opening balance of the year
CREATE TABLE ACTLE (
    LE001 VARCHAR(20) NOT NULL,    -- account
    LE002 VARCHAR(4) NOT NULL,     -- year
    LE003 VARCHAR(2) NOT NULL,     -- period
    LE004 VARCHAR(4) NOT NULL,     -- currency
    LE006 VARCHAR(10) NOT NULL,    -- customer
    LE007 VARCHAR(10) NOT NULL,    -- supplier
    LE008 VARCHAR(10) NOT NULL,    -- department
    LE009 VARCHAR(10) NOT NULL,    -- staff
    LE010 VARCHAR(20) NOT NULL,    -- accounting item 1
    LE011 VARCHAR(20) NOT NULL,    -- accounting item 2
    LE012 NUMERIC(16,4) NOT NULL,  -- debit quantity
    LE013 NUMERIC(18,4) NOT NULL,  -- debit in the currency
    LE014 NUMERIC(18,4) NOT NULL,  -- debit in the local currency
    LE016 NUMERIC(18,4) NOT NULL,  -- credit in the currency
    LE017 NUMERIC(18,4) NOT NULL,  -- credit in the local currency
    LE026 NUMERIC(16,4) NOT NULL,  -- credit quantity
    LE034 VARCHAR(10) NOT NULL,    -- project
    PRIMARY KEY (LE001, LE002, LE003, LE004, LE006, LE007, LE008, LE009, LE010, LE011, LE034)
);
CREATE INDEX ACTLE_PERIOD ON ACTLE (LE002, LE003);
CREATE INDEX ACTLE_CURRENCY ON ACTLE (LE004, LE001);

-- Notice templates of programs: header and lines
CREATE TABLE TMCMC (
    MC001 VARCHAR(4) NOT NULL,   -- template category
    MC002 VARCHAR(10) NOT NULL,  -- template code
    MC003 VARCHAR(60) NOT NULL,  -- name
    MC004 VARCHAR(20) NOT NULL,  -- created by
    MC005 VARCHAR(20) NOT NULL,  -- program code
    MC006 VARCHAR(1) NOT NULL,   -- Y: active
    PRIMARY KEY (MC001, MC002)
);
CREATE INDEX TMCMC_PROGRAM ON TMCMC (MC005);

CREATE TABLE TMCMD (
    MD001 VARCHAR(4) NOT NULL,   -- template category
    MD002 VARCHAR(10) NOT NULL,  -- template code
    MD003 INTEGER NOT NULL,      -- line
    MD004 VARCHAR(1) NOT NULL,   -- occasion: 6 when a job has run
    MD005 VARCHAR(60) NOT NULL,  -- name
    MD006 VARCHAR(10) NOT NULL,  -- channel
    MD007 TEXT,                  -- recipients XML || message || link text
    PRIMARY KEY (MD001, MD002, MD003)
);
