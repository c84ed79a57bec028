// What the System Details window reads from the rest of the program and asks of it. The program
// fills it in; tests use their own.
#pragma once
#include <cstdint>
#include <string>

namespace details {

class ProgramLink {
public:
    // The Main Group's published readings (bar positions, 0-100) and rate captions (the
    // caption texts stay valid until the gadget next sets them).
    virtual int CPU1() const = 0;
    virtual int RAM() const = 0;
    virtual int Swap() const = 0;
    virtual const char* DownloadCaption() const = 0;
    virtual const char* UploadCaption() const = 0;
    // The program is ending: no list is rebuilt any more.
    virtual bool Terminating() const = 0;
    virtual void TrimWorkingSet() = 0;
    // The menu commands that other windows carry out.
    virtual void ProgramOptions() = 0;
    virtual void HelpContents() = 0;
    virtual void About() = 0;
    // The Network tab: the gadget's rates (lcdDown1, lcdUp1: whole KB/s), its interface choice
    // ("Adapter": a row position, past the last row all of them), the graph's upper limit, and
    // a reading of the interface table that tells the adapters list every row's counters
    // (AdapterCounters) without touching the gadget's rates.
    virtual int DownloadRate() const { return 0; }
    virtual int UploadRate() const { return 0; }
    virtual int32_t AdapterChoice() const { return -1; }
    virtual int UpperLimit() const { return 100; }
    virtual void ReadOctets() {}

protected:
    ~ProgramLink() = default;
};

}  // namespace details
