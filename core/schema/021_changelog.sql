-- Who is writing, for the change-history triggers of every logged table.
-- PostgreSQL keeps it per session (a setting); SQLite serves one user per
-- database file and keeps it in a one-row table.
CREATE TABLE CLOG_OTURUM (
    ID INTEGER NOT NULL PRIMARY KEY,
    LOG_USER VARCHAR(32)
);
