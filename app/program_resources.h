// The program's tables (res/) handed to the framework, which knows nothing of
// them otherwise.
#pragma once

// Gives the framework the program's strings, menu, keys and help page;
// returns the program's title. Called before the application object exists.
const char* InstallProgramResources();
