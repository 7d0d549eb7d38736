// app/lintar_main.cpp: the data-file editor's main function.
#include "runtime/stop.h"
#include "runtime/units.h"

int main() {
    return lintar::run_main([] {
        // The editor's pages and session arrive with the session work; until then the program
        // says what it is and ends.
        lintar::write_record(lintar::screen_unit,
                             " Lintar: the data-file editor is not built yet.");
    });
}
