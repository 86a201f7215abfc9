#pragma once
// The drag-data object: global memory blocks offered in clipboard formats, dragged with OLE's
// drag loop and our own drop source.
#include <windows.h>
#include <ole2.h>

class COleDataSource {
public:
    COleDataSource();
    // Frees every cached block, even if a drop target still holds the data object.
    ~COleDataSource();
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // From here on the block belongs to the data source. Without a description it is
    // offered as `format`, content aspect, all indexes, in global memory.
    void CacheGlobalData(CLIPFORMAT format, HGLOBAL block, const FORMATETC* description = nullptr);
    // Runs the drag loop until the drop, Esc or a second button; the effect it ended with,
    // DROPEFFECT_NONE when nothing was dropped or the drag could not start.
    DWORD DoDragDrop(DWORD allowedEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);

private:
    class CachedData;
    CachedData* m_data;
};
