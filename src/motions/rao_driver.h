// motions/rao_driver.h: the RAO driver of a motion run: forces, RAOs, reports and statistics of
// every relative heading, the motions at points, and the scratch motion files.
#pragma once

namespace lintar {

// VESL2: after VESL1, for every relative heading REDANG(1..NRAO): the hull model's driving
// forces (rotated for trim and heel), their report and statistics; the motion RAOs (the hull
// model's, or the user's from USRRAO), their report and statistics; the point motions of the
// IVESL(1) points RACC (ACCOUT) when selected; the heading records of the motion file. Then the
// sea-state records. The report, plot and motion files are units, so any stop closes them.
// Reads TPCM, WAVCOM, HIMEM; writes HIMEM (ROTVES, IUNX, the columns, slots and words of the
// passes), WAVCOM IRAO, PASCOM WRLRMS, WYWRMS, WPTRMS, and the files by arrangement. Stops the
// run on a file it cannot open or read (the other body's motion file through FILERR naming
// "ORMANEL2"), on a point count that does not match the mooring lines, and through the hull
// model and USRRAO.
void VESL2();

} // namespace lintar
