// app/lintar_main.cpp: the data-file editor's main function.
#include "editor/page_loop.h"
#include "runtime/stop.h"

int main() {
    return lintar::run_main([] { lintar::CATED(); });
}
