#include "synthetic_hive.h"

#include "support/temp_prefix.h"

namespace kvl::bench {

std::string syntheticHive(std::size_t bytes) {
    std::string text = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n"
                       "#arch=win64\n";
    bool hostWritten = false;
    for (int i = 0; text.size() < bytes; ++i) {
        if (!hostWritten && text.size() > bytes * 2 / 3) {
            text += std::string("\n[") + kvl::test::kHostKeyWine +
                    "] 1796799008\n#time=1dd87a98784843c\n\"ANLPath\"=\"C:\\\\KVL\\\\Anlagen\"\n"
                    "\"AutoSaveDLG\"=dword:00000000\n\"AviPath\"=str(2):\"%USERPROFILE%\\\\Videos\"\n"
                    "\"CtrlWindow\"=dword:00000001\n\"Directory\"=\"C:\\\\Program Files\\\\KVL 17\"\n"
                    "\"HideOldMdl\"=dword:00000000\n\"Language\"=\"ENG\"\n\"LastANL\"=\"\"\n"
                    "\"LuaExtEd\"=\"notepad\"\n\"MaxObj\"=dword:000003e8\n";
            hostWritten = true;
        }
        const std::string n = std::to_string(i);
        text += "\n[Software\\\\Classes\\\\CLSID\\\\{" + n + "-0000-4000-8000-00000000b00c}\\\\InprocServer" +
                n + "] 1796798993\n#time=1dd87a97eb48a1e\n@=\"C:\\\\windows\\\\system32\\\\m\\xe4" + n +
                ".dll\"\n\"ThreadingModel\"=\"Both\"\n\"Flags\"=dword:0000" + std::to_string(i % 10) +
                "0a0\n\"Data\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n"
                "  18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,30,\\\n"
                "  31,32,33\n";
    }
    return text;
}

} // namespace kvl::bench
