#include "imaging/picture_decoder.h"

#include "imaging/jpeg_reader.h"
#include "imaging/orientation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

PictureWaitHook& WaitHook() {
    static PictureWaitHook hook;
    return hook;
}

// How often a waiting thread lets the user interface repaint.
constexpr std::chrono::milliseconds kWaitSlice(30);
// Working memory decodes may take beside the largest one.
constexpr std::size_t kBudgetSlack = 16u << 20;

} // namespace

void SetPictureWaitHook(PictureWaitHook hook) {
    WaitHook() = std::move(hook);
}

CPictureDecoder::CPictureDecoder(std::vector<std::string> paths, int nScaleDenom, std::size_t nHeld,
                                 std::vector<int> orientations)
    : m_paths(std::move(paths)), m_orientations(std::move(orientations)),
      m_nScaleDenom(nScaleDenom), m_nHeld(std::max<std::size_t>(nHeld, 1)),
      m_slots(m_paths.size()) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t threads = std::min<std::size_t>({cores, m_paths.size(), m_nHeld});
    m_nWorking = threads;
    for (std::size_t i = 0; i < threads; ++i)
        m_workers.emplace_back([this] { Work(); });
}

CPictureDecoder::~CPictureDecoder() {
    // The wait is over, also when the caller stopped taking early.
    if (m_bWaited && WaitHook())
        WaitHook()(m_slots.size(), m_slots.size());
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& t : m_workers)
        t.join();
    for (std::size_t i = m_nextToTake; i < m_slots.size(); ++i)
        std::free(m_slots[i].picture.pixels);
}

void CPictureDecoder::Work() {
    std::unique_lock<std::mutex> lock(m_mutex);
    struct Leaving {
        CPictureDecoder* decoder;
        ~Leaving() {
            --decoder->m_nWorking;
            decoder->m_changed.notify_all();
        }
    } leaving{this};
    for (;;) {
        // A picture starts only while fewer than nHeld are held from the one
        // the caller still uses on.
        m_changed.wait(lock, [this] {
            return m_stop || m_nextToStart >= m_paths.size() ||
                   m_nextToStart - m_nHeldFrom < m_nHeld;
        });
        if (m_stop || m_nextToStart >= m_paths.size())
            return;
        const std::size_t i = m_nextToStart++;
        lock.unlock();
        const std::size_t bytes = m_paths[i].empty() ? 0 : JpegDecodeWorkingSet(m_paths[i].c_str());
        lock.lock();
        m_nLargestBytes = std::max(m_nLargestBytes, bytes);
        // Alone, a decode always starts; beside others, within the budget:
        // the largest single decode's memory and a tenth of it or 16 MiB.
        const std::size_t budget =
            m_nLargestBytes + std::max<std::size_t>(m_nLargestBytes / 10, kBudgetSlack);
        m_changed.wait(lock, [&] {
            return m_stop || m_nDecodingBytes == 0 || m_nDecodingBytes + bytes <= budget;
        });
        if (m_stop)
            return;
        m_nDecodingBytes += bytes;
        lock.unlock();
        Slot done;
        done.picture.orientation =
            i < m_orientations.size() ? m_orientations[i] : ORIENTATION_FROM_FILE;
        if (!m_paths[i].empty())
            done.picture.ok =
                ReadJpegPictureLogged(m_paths[i].c_str(), &done.picture.pixels, &done.picture.width,
                                      &done.picture.height, m_nScaleDenom, done.log,
                                      &done.picture.orientation) != FALSE;
        done.ready = true;
        lock.lock();
        m_nDecodingBytes -= bytes;
        m_slots[i] = std::move(done);
        m_changed.notify_all();
    }
}

DecodedPicture CPictureDecoder::TakeNext() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_nextToTake >= m_slots.size())
        return {};
    const std::size_t i = m_nextToTake;
    if (m_bTaking) {
        // Called again from the wait hook: the outer call waits for this
        // picture, so the inner one cannot have it.
        lock.unlock();
        std::fprintf(stderr, "picture %zu of %zu was asked for while it was awaited\n", i + 1,
                     m_slots.size());
        return {};
    }
    // Asking for the next picture gives the previous one back.
    if (m_nHeldFrom != i) {
        m_nHeldFrom = i;
        m_changed.notify_all();
    }
    const PictureWaitHook& hook = WaitHook();
    m_bTaking = true;
    while (!m_slots[i].ready) {
        if (m_nWorking == 0) {
            // Nothing will ever fill the slot: a fault, not a wait.
            m_bTaking = false;
            ++m_nextToTake;
            lock.unlock();
            std::fprintf(stderr, "picture %zu of %zu was never decoded\n", i + 1, m_slots.size());
            return {};
        }
        m_bWaited = true;
        if (hook) {
            lock.unlock();
            hook(i, m_slots.size());
            lock.lock();
        }
        m_changed.wait_for(lock, kWaitSlice, [&] { return m_slots[i].ready || m_nWorking == 0; });
    }
    m_bTaking = false;
    Slot taken = std::move(m_slots[i]);
    m_slots[i] = Slot{};
    ++m_nextToTake;
    lock.unlock();
    m_changed.notify_all();
    std::fputs(taken.log.c_str(), stderr);
    if (hook && m_bWaited && i + 1 < m_slots.size())
        hook(i + 1, m_slots.size());
    return taken.picture;
}

void CPictureDecoder::GiveBack() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_nHeldFrom >= m_nextToTake)
            return;
        m_nHeldFrom = m_nextToTake;
    }
    m_changed.notify_all();
}

void DecodePictures(const std::vector<std::string>& paths, int nScaleDenom,
                    const std::function<void(std::size_t, DecodedPicture&)>& take,
                    const std::vector<int>& orientations) {
    if (paths.empty())
        return;
    CPictureDecoder decoder(paths, nScaleDenom, static_cast<std::size_t>(-1), orientations);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        DecodedPicture picture = decoder.TakeNext();
        take(i, picture);
    }
}
