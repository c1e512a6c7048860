// The application object of a dialog program: one per program, of static storage duration,
// whose start-up operation the entry point (win_main.cpp) runs.
#pragma once

class App {
public:
    // Becomes the program's application object.
    App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;
    virtual ~App();

    // The program's application object, or null when there is none.
    static App* current();

    // Registers the common control classes, then runs the start-up operation. When it returns
    // false the program ends at once with exit code 0; when it returns true a message loop runs
    // until WM_QUIT, whose code becomes the exit code.
    int run();

protected:
    virtual bool init_instance() = 0;
};
