// Decoding several JPEG files on worker threads, handed over in order on the
// calling thread with exactly what decoding them one after another would do.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One decoded picture; pixels (malloc'ed) belong to whoever takes it.
struct DecodedPicture {
    bool ok = false;
    unsigned char* pixels = nullptr;
    int width = 0;
    int height = 0;
    int orientation = 1; // the orientation the pixels were turned upright by
};

// Called on the waiting thread while it waits for pictures and as each one
// arrives (done of total pictures handed over), and once with done = total
// when a decoding that waited ends. The user interface shows progress and
// repaints from here.
using PictureWaitHook = std::function<void(std::size_t done, std::size_t total)>;
void SetPictureWaitHook(PictureWaitHook hook);

class CPictureDecoder {
public:
    // Starts decoding paths at 1/nScaleDenom on up to one thread per core.
    // Decodes run together only while their working memory (see
    // JpegDecodeWorkingSet) stays within the largest single one's and a
    // tenth of it or 16 MiB: progressive photographs, each buffering its
    // whole picture, decode one at a time, beside smaller ones. An
    // empty path is not decoded and gives a failed picture. At most nHeld
    // pictures are held at once, counting the one last taken (in use by the
    // caller until it asks for the next) and those decoded or decoding ahead.
    // Each picture is turned upright by its entry of orientations (1 to 8), or
    // by its file's EXIF tag when there is none or it is ORIENTATION_FROM_FILE.
    CPictureDecoder(std::vector<std::string> paths, int nScaleDenom,
                    std::size_t nHeld = static_cast<std::size_t>(-1),
                    std::vector<int> orientations = {});
    // Stops the workers, waits for them and frees what was not taken.
    ~CPictureDecoder();
    CPictureDecoder(const CPictureDecoder&) = delete;
    CPictureDecoder& operator=(const CPictureDecoder&) = delete;

    std::size_t Count() const { return m_paths.size(); }
    // The next picture in the order of the paths, waiting for it if need be;
    // its decoding messages are written to stderr first, as the reader would
    // have written them. Past the end: a failed picture. A wait that could
    // never end (no worker left to decode it, or a second TakeNext from the
    // wait hook while one waits) is reported on stderr and gives a failed
    // picture instead.
    DecodedPicture TakeNext();
    // The caller is done with the picture last taken (its pixels are freed):
    // it no longer counts as held, so the next may start decoding.
    void GiveBack();

private:
    struct Slot {
        DecodedPicture picture;
        std::string log;
        bool ready = false;
    };
    void Work();

    std::vector<std::string> m_paths;
    std::vector<int> m_orientations;
    int m_nScaleDenom;
    std::size_t m_nHeld;
    std::vector<Slot> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_nextToStart = 0;
    std::size_t m_nextToTake = 0;
    std::size_t m_nHeldFrom = 0; // the picture the caller may still use
    bool m_stop = false;
    bool m_bWaited = false;     // the wait hook has been told of a wait
    bool m_bTaking = false;     // a TakeNext is in progress
    std::size_t m_nWorking = 0; // workers that have not returned
    // Working memory of the decodes under way, and the largest one's so far.
    std::size_t m_nDecodingBytes = 0;
    std::size_t m_nLargestBytes = 0;
    std::vector<std::thread> m_workers;
};

// Decodes every path and hands each picture to take(index, picture) in order.
void DecodePictures(const std::vector<std::string>& paths, int nScaleDenom,
                    const std::function<void(std::size_t, DecodedPicture&)>& take,
                    const std::vector<int>& orientations = {});
