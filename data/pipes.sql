-- Standard pipe series for the table "Piples1" (Data/Piples.db, built from this file).
-- Seamless steel pipes, outer diameter x wall thickness in mm: outer diameters and wall
-- thicknesses of GB/T 17395-2008 (seamless steel tubes: dimensions, shapes, masses and
-- tolerances), in the sizes of the domestic series (series II) of HG/T 20553-2011 used in
-- Chinese process plant; one or two usual wall thicknesses per size. Di = Do - 2 x wall.
-- DN holds outer x wall with the multiplication sign U+00D7.
CREATE TABLE Piples1 (
  ID INTEGER PRIMARY KEY,
  DN VARCHAR(10) NOT NULL,
  Do DOUBLE,
  Di DOUBLE
);
CREATE INDEX PiplesDiDo ON Piples1 (Di, Do);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (1, '10×2', 10, 6);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (2, '12×2', 12, 8);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (3, '14×2', 14, 10);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (4, '16×2', 16, 12);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (5, '18×2', 18, 14);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (6, '19×2', 19, 15);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (7, '20×2', 20, 16);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (8, '22×2', 22, 18);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (9, '25×2', 25, 21);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (10, '25×2.5', 25, 20);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (11, '28×2.5', 28, 23);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (12, '32×2.5', 32, 27);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (13, '32×3', 32, 26);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (14, '38×2.5', 38, 33);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (15, '38×3', 38, 32);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (16, '45×2.5', 45, 40);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (17, '45×3', 45, 39);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (18, '48×3.5', 48, 41);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (19, '57×3', 57, 51);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (20, '57×3.5', 57, 50);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (21, '60×3.5', 60, 53);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (22, '76×3.5', 76, 69);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (23, '76×4', 76, 68);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (24, '89×4', 89, 81);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (25, '108×4', 108, 100);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (26, '114×4', 114, 106);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (27, '133×4', 133, 125);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (28, '159×4.5', 159, 150);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (29, '168×5', 168, 158);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (30, '194×6', 194, 182);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (31, '219×6', 219, 207);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (32, '245×7', 245, 231);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (33, '273×7', 273, 259);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (34, '325×8', 325, 309);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (35, '377×9', 377, 359);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (36, '426×9', 426, 408);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (37, '480×9', 480, 462);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (38, '530×9', 530, 512);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (39, '630×9', 630, 612);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (40, '720×10', 720, 700);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (41, '820×10', 820, 800);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (42, '920×10', 920, 900);
INSERT INTO Piples1 (ID, DN, Do, Di) VALUES (43, '1020×10', 1020, 1000);
