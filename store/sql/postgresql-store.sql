-- The template store on a PostgreSQL server, at schema version 6: what the
-- program itself makes when its user may create tables. An administrator
-- runs it once in the store's database, as the user the clerks log in as
-- (or grants them SELECT, INSERT, UPDATE, DELETE on the five tables after):
--   psql -h HOST -U USER -d DATABASE -f postgresql-store.sql
-- The test test_store_server checks that it makes the same tables, columns
-- and rows as the program.
BEGIN;

CREATE TABLE StoreInfo ("Name" TEXT PRIMARY KEY, "Value" INTEGER NOT NULL);

CREATE TABLE BillCategories (
    "CategoryID" INTEGER PRIMARY KEY,
    "Name" TEXT NOT NULL,
    "Driver" TEXT NOT NULL DEFAULT '',
    "DatabaseName" TEXT NOT NULL DEFAULT '',
    "Host" TEXT NOT NULL DEFAULT '',
    "UserName" TEXT NOT NULL DEFAULT '',
    "ConnectOptions" TEXT NOT NULL DEFAULT '',
    "HeaderQuery" TEXT NOT NULL DEFAULT '',
    "DetailQuery" TEXT NOT NULL DEFAULT '',
    "Port" INTEGER NOT NULL DEFAULT 0,
    "IsDefault" INTEGER NOT NULL DEFAULT 0,
    "StatementTimeout" INTEGER NOT NULL DEFAULT 30);

CREATE TABLE BillTemplates (
    FID INTEGER PRIMARY KEY,
    "CategoryID" INTEGER NOT NULL,
    "Name" TEXT NOT NULL,
    "PageWidth" DOUBLE PRECISION NOT NULL,
    "PageHeight" DOUBLE PRECISION NOT NULL,
    "mrowcount" INTEGER NOT NULL,
    "mRowHeight" DOUBLE PRECISION NOT NULL,
    "mcolcount" INTEGER NOT NULL,
    "mColWidth" DOUBLE PRECISION NOT NULL,
    "mBlnColFirst" INTEGER NOT NULL,
    "mLandScape" INTEGER NOT NULL,
    "mIsDefault" INTEGER NOT NULL,
    "Revision" INTEGER NOT NULL,
    "UnderlayData" BYTEA,
    "UnderlayFileName" TEXT,
    "UnderlayPage" INTEGER,
    "UnderlayOpacity" INTEGER,
    "UnderlayLeft" DOUBLE PRECISION,
    "UnderlayTop" DOUBLE PRECISION,
    "UnderlayWidth" DOUBLE PRECISION,
    "UnderlayHeight" DOUBLE PRECISION,
    "OffsetLeft" DOUBLE PRECISION NOT NULL DEFAULT 0,
    "OffsetTop" DOUBLE PRECISION NOT NULL DEFAULT 0,
    "SavedAt" TEXT);

CREATE INDEX BillTemplatesByCategory ON BillTemplates ("CategoryID", "Name");

CREATE TABLE BillObjects (
    FID INTEGER NOT NULL,
    "Position" INTEGER NOT NULL,
    "nID" INTEGER NOT NULL,
    "eType" INTEGER NOT NULL,
    "Left" DOUBLE PRECISION, "Top" DOUBLE PRECISION,
    "Width" DOUBLE PRECISION, "Height" DOUBLE PRECISION,
    "x1" DOUBLE PRECISION, "y1" DOUBLE PRECISION,
    "x2" DOUBLE PRECISION, "y2" DOUBLE PRECISION,
    "Caption" TEXT, "Tag" TEXT, "ToolTipText" TEXT,
    "FontName" TEXT, "FontSize" DOUBLE PRECISION, "FontBold" INTEGER, "FontItalic" INTEGER,
    "FontUnderline" INTEGER, "FontStrikethru" INTEGER,
    "ForeColor" INTEGER, "LineColor" INTEGER, "Alignment" INTEGER,
    "AutoSize" INTEGER, "BorderStyle" INTEGER, "LineStyle" INTEGER,
    "LineWidth" INTEGER, "Stretch" INTEGER, "Clip" INTEGER, "IsFix" INTEGER,
    "DataType" INTEGER, "IsScroll" INTEGER, "Sumed" INTEGER, "SumedPage" INTEGER,
    "Format" TEXT, "Printed" INTEGER, "Locked" INTEGER, "BStyle" INTEGER,
    "BWidth" INTEGER, "FColor" INTEGER,
    "BarcodeType" INTEGER NOT NULL DEFAULT 0,
    "ModuleWidth" DOUBLE PRECISION NOT NULL DEFAULT 0.33,
    "QrLevel" INTEGER NOT NULL DEFAULT 2,
    "BarcodeText" INTEGER NOT NULL DEFAULT 1,
    PRIMARY KEY (FID, "Position"), UNIQUE (FID, "nID"));

CREATE TABLE BillPictures (
    FID INTEGER NOT NULL,
    "nID" INTEGER NOT NULL,
    "Data" BYTEA NOT NULL,
    "FileName" TEXT,
    PRIMARY KEY (FID, "nID"));

INSERT INTO BillCategories ("CategoryID", "Name", "IsDefault") VALUES (0, '演示数据', 1);
INSERT INTO StoreInfo ("Name", "Value") VALUES ('LastRevision', 0), ('SchemaVersion', 6);

COMMIT;
