#pragma once
// Start-up and shut-down, in this order: runtime, initialisers, Main (the
// application object, the About handler, the main window from the
// framework's start-up callback, the event loop), finalisers, exit status.
#include <functional>
#include <string>

// Every class registration and every drawing-model start value.
void PerformInitializers();

// Everything between the initialisers and the finalisers. An exception from
// any step skips the rest and goes to the framework's report. True when the
// event loop ran to its end; false after a reported failure.
bool Main();
void EarlyStartup();
// No document types: files handed over by the system reach no handler.
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void LateStartup();
void MakeDefaultView();

// The body of main. Its status is the event loop's, or kFailedStart when the
// start failed, so a failed start never looks like success.
int ProcessMain(int& argc, char** argv);
inline constexpr int kFailedStart = 1;
// What the last ProcessMain returned.
extern int exitStatus;

// Tests: told each start-up step's name just before it runs; throwing fails
// that step.
extern std::function<void(const std::string& step)> startupWatch;
