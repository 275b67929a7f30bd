#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the
// application connects to the window system. Qt reads it before the first
// text is laid out, and on Linux that is the largest single piece of
// start-up work (tens of configuration files parsed, the font caches
// mapped); read ahead on another core, Qt finds it done. Where Qt does not
// use fontconfig, nothing is read.
class FontConfiguration
{
public:
    FontConfiguration();

    // Returns once the configuration is read. To be called before the first
    // font is used, so that the two threads do not both read it.
    void wait();

private:
    std::jthread m_reader;
};
