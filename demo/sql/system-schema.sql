-- The suite's system database: programs, users, rights, schemes, phrases, integration
-- settings, the message queue and the application server's job queue. Portable SQL
-- (SQLite and PostgreSQL); every text column is VARCHAR or TEXT.

-- Program master
CREATE TABLE ADMMB (
    MB001 VARCHAR(20) NOT NULL PRIMARY KEY, -- program code
    MB002 VARCHAR(60) NOT NULL,             -- program name
    MB003 VARCHAR(10) NOT NULL,             -- subsystem
    MB004 VARCHAR(1) NOT NULL,              -- kind: B batch job, R report
    MB005 VARCHAR(1) NOT NULL,              -- Y: the program writes a run log
    MB006 VARCHAR(40) NOT NULL,             -- client library
    MB007 VARCHAR(40) NOT NULL,             -- server class of the job's server half
    MB008 VARCHAR(80) NOT NULL,             -- English name
    MB009 VARCHAR(1) NOT NULL               -- Y: the job may not be run at once
);

-- Users
CREATE TABLE KMBMA (
    MA001 VARCHAR(20) NOT NULL PRIMARY KEY, -- user id
    MA002 VARCHAR(40) NOT NULL,             -- name
    MA003 VARCHAR(20) NOT NULL,             -- user group
    MA004 VARCHAR(1) NOT NULL,              -- Y: active
    MA005 VARCHAR(30) NOT NULL,             -- mobile number
    MA006 VARCHAR(80) NOT NULL,             -- mail address
    MA007 VARCHAR(10) NOT NULL              -- interface language
);

-- Rights of a user on a program
CREATE TABLE ADMMR (
    MR001 VARCHAR(20) NOT NULL,  -- user id
    MR002 VARCHAR(20) NOT NULL,  -- program code
    MR003 VARCHAR(255) NOT NULL, -- rights list: six comma-separated fields
    MR004 VARCHAR(40) NOT NULL,  -- name of the data restriction (empty: none)
    MR005 VARCHAR(255) NOT NULL, -- restricted codes, comma-separated
    PRIMARY KEY (MR001, MR002)
);

-- Integration settings
CREATE TABLE KMBINTMA (
    MA001 VARCHAR(40) NOT NULL PRIMARY KEY, -- setting
    MA002 VARCHAR(80) NOT NULL,             -- description
    MA003 VARCHAR(255) NOT NULL             -- value
);

-- Condition schemes of the job forms (the provider "pvdConSave")
CREATE TABLE GENES (
    NCONDITION VARCHAR(60) NOT NULL, -- scheme name
    CREATOR VARCHAR(20) NOT NULL,    -- owner
    PROGRAMME VARCHAR(20) NOT NULL,  -- program code
    CREATE_DATE VARCHAR(8) NOT NULL, -- YYYYMMDD
    SCONDITION TEXT NOT NULL,        -- field list
    VCONDITION TEXT NOT NULL,        -- saved option text
    PRIMARY KEY (NCONDITION, CREATOR, PROGRAMME)
);
CREATE INDEX GENES_OWNER ON GENES (CREATOR, PROGRAMME);

-- Common phrases for summaries (PH001 empty: everybody's)
CREATE TABLE ADMPH (
    PH001 VARCHAR(20) NOT NULL,  -- user id
    PH002 INTEGER NOT NULL,      -- order
    PH003 VARCHAR(255) NOT NULL, -- phrase
    PRIMARY KEY (PH001, PH002)
);

-- Message queue: pending messages, and the ones already delivered
CREATE TABLE ADMTC (
    TC001 VARCHAR(14) NOT NULL PRIMARY KEY, -- day and serial
    TC002 VARCHAR(20) NOT NULL,             -- sender
    TC003 TEXT NOT NULL,                    -- recipients (XML)
    TC004 VARCHAR(17) NOT NULL,             -- time stamp YYYYMMDDHHNNSSZZZ
    TC005 VARCHAR(1) NOT NULL,              -- Y: delivered
    TC006 VARCHAR(255) NOT NULL,            -- title
    TC007 TEXT NOT NULL,                    -- link text
    TC008 TEXT NOT NULL,                    -- message
    TC009 VARCHAR(1) NOT NULL,              -- message kind
    COMPANY VARCHAR(20) NOT NULL,
    CREATOR VARCHAR(20) NOT NULL,
    CREATE_DATE VARCHAR(17) NOT NULL,
    FLAG INTEGER NOT NULL
);
CREATE INDEX ADMTC_TC004 ON ADMTC (TC004);

CREATE TABLE ADMTD (
    TD001 VARCHAR(14) NOT NULL PRIMARY KEY,
    TD002 VARCHAR(20) NOT NULL,
    TD003 TEXT NOT NULL,
    TD004 VARCHAR(17) NOT NULL,
    TD005 VARCHAR(1) NOT NULL,
    TD006 VARCHAR(255) NOT NULL,
    TD007 TEXT NOT NULL,
    TD008 TEXT NOT NULL,
    TD009 VARCHAR(1) NOT NULL,
    COMPANY VARCHAR(20) NOT NULL,
    CREATOR VARCHAR(20) NOT NULL,
    CREATE_DATE VARCHAR(17) NOT NULL,
    FLAG INTEGER NOT NULL
);
CREATE INDEX ADMTD_TD004 ON ADMTD (TD004);

-- The application server's job queue
CREATE TABLE ADMJQ (
    JQ001 VARCHAR(20) NOT NULL PRIMARY KEY, -- job number: day and serial
    JQ002 VARCHAR(20) NOT NULL,             -- program code
    JQ003 VARCHAR(20) NOT NULL,             -- company code
    JQ004 VARCHAR(20) NOT NULL,             -- user id
    JQ005 VARCHAR(40) NOT NULL,             -- company database
    JQ006 VARCHAR(60) NOT NULL,             -- server class of the job's server half
    JQ007 VARCHAR(1) NOT NULL,              -- job kind as submitted (lower case: recurring)
    JQ008 INTEGER NOT NULL,                 -- run mode: 0 queue, 1 real time, 2 at a time
    JQ009 VARCHAR(17) NOT NULL,             -- start time YYYYMMDDHHNNSSZZZ
    JQ010 VARCHAR(1) NOT NULL,              -- Y: recurring
    JQ011 VARCHAR(40) NOT NULL,             -- computer that submitted a run-now job
    JQ012 VARCHAR(1) NOT NULL,              -- status: W waiting, R ran, D done, E failed
    JQ013 TEXT NOT NULL,                    -- option array (typed JSON)
    JQ014 TEXT NOT NULL,                    -- schedule record (typed JSON, empty when none)
    JQ015 TEXT NOT NULL,                    -- dynamic date rules (typed JSON, empty when none)
    JQ016 VARCHAR(17) NOT NULL,             -- submitted at
    JQ017 VARCHAR(17) NOT NULL,             -- last change of status
    JQ018 TEXT NOT NULL,                    -- the run's messages
    JQ019 VARCHAR(10) NOT NULL              -- submitted through: Request or Request1
);
CREATE INDEX ADMJQ_STATUS ON ADMJQ (JQ012, JQ009);

-- What happened to the jobs
CREATE TABLE ADMJL (
    JL001 VARCHAR(20) NOT NULL, -- job number ("ERROR" for a run that got none)
    JL002 VARCHAR(17) NOT NULL, -- time stamp
    JL003 VARCHAR(10) NOT NULL, -- RUN, STATUS
    JL004 TEXT NOT NULL         -- text
);
CREATE INDEX ADMJL_JOB ON ADMJL (JL001);
