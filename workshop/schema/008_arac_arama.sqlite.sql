-- The reception finds a vehicle by its plate with blanks and case ignored, and
-- by chassis or engine number with case ignored; without these a look-up reads
-- the whole vehicle table.
CREATE INDEX IX_ARAC_PLAKA_ARAMA ON ARAC (REPLACE(TR_UPPER(PLAKA), ' ', ''));
CREATE INDEX IX_ARAC_SASE_ARAMA ON ARAC (TR_UPPER(SASE_NO));
CREATE INDEX IX_ARAC_MOTOR_ARAMA ON ARAC (TR_UPPER(MOTOR_NO));
