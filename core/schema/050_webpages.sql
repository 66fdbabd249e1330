-- Pages of the dealer's web application that documents call when they are saved.
CREATE TABLE WEBPAGES (
    ID VARCHAR(50) NOT NULL PRIMARY KEY,
    PAGE VARCHAR(255),
    LOGIN INTEGER
);
