#include "fontconfiguration.h"

#ifdef BRELKOT_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

FontConfiguration::FontConfiguration()
{
#ifdef BRELKOT_FONTCONFIG
    m_reader = std::jthread(FcInit);
#endif
}

void FontConfiguration::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}
