-- The history user was one row shared by every workstation writing to the
-- file, so a change could be recorded under another workstation's user. It is
-- now a function of each connection; the view keeps the triggers of existing
-- databases, which read this row, working with the connection's own user.
DROP TABLE CLOG_OTURUM;
CREATE VIEW CLOG_OTURUM AS SELECT 1 AS ID, CLOG_KULLANICI() AS LOG_USER;
