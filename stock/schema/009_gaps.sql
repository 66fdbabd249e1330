-- Picture numbers come from a counter, so a deleted picture's number is never
-- given to another one.
CREATE TABLE NEWRESIM (YENINO DOUBLE PRECISION);
INSERT INTO NEWRESIM (YENINO) SELECT COALESCE(MAX(RESIM_NO), 0) + 1 FROM STOKRESM;
