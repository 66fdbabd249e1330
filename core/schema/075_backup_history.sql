-- Each backup taken from the program, so that the start-up can tell when the
-- database was last backed up.
CREATE TABLE YEDEK_GECMISI (
    YEDEK_TRH TIMESTAMP NOT NULL,
    DOSYA VARCHAR(255)
);
