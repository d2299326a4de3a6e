// PLACEHOLDER for the export command: removed when it lands.
#include "export/export_command.h"

int64_t ExportToFile(int64_t) { return 0; }
