#include "framework/ole_drag.h"

#include <shlobj.h>

#include <cstring>
#include <vector>

#include "framework/scoped_win.h"

namespace {

// One COM interface with its reference count; the object deletes itself at the last Release.
template <class Interface, const IID& kInterfaceId>
class ComObject : public Interface {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        if (iid != IID_IUnknown && iid != kInterfaceId) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }

protected:
    virtual ~ComObject() = default;

private:
    ULONG m_refs = 1;
};

}  // namespace

// The COM object behind COleDataSource: it hands out copies of its blocks, so that what a
// drop target takes never frees the original.
class COleDataSource::CachedData final : public ComObject<IDataObject, IID_IDataObject> {
public:
    void Add(const FORMATETC& description, HGLOBAL block) {
        try {
            m_entries.push_back({description, block});
        } catch (...) {
            GlobalFree(block);  // it was handed over either way
            throw;
        }
    }
    void Empty() {
        for (const Entry& e : m_entries)
            GlobalFree(e.block);
        m_entries.clear();
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
        if (wanted == nullptr || medium == nullptr)
            return E_INVALIDARG;
        const Entry* entry = Find(*wanted);
        if (entry == nullptr)
            return DV_E_FORMATETC;
        HGLOBAL copy = Duplicate(entry->block);
        if (copy == nullptr)
            return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* wanted) override {
        return wanted != nullptr && Find(*wanted) != nullptr ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC* in, FORMATETC* out) override {
        if (in == nullptr || out == nullptr)
            return E_INVALIDARG;
        *out = *in;
        out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (formats == nullptr)
            return E_INVALIDARG;
        *formats = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> offered;
        for (const Entry& e : m_entries)
            offered.push_back(e.description);
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(offered.size()), offered.data(), formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    struct Entry {
        FORMATETC description;
        HGLOBAL block;
    };

    ~CachedData() override { Empty(); }

    const Entry* Find(const FORMATETC& wanted) const {
        for (const Entry& e : m_entries) {
            const FORMATETC& d = e.description;
            if (d.cfFormat == wanted.cfFormat && (d.tymed & wanted.tymed) != 0 &&
                d.dwAspect == wanted.dwAspect && (d.lindex == -1 || d.lindex == wanted.lindex)) {
                return &e;
            }
        }
        return nullptr;
    }

    static HGLOBAL Duplicate(HGLOBAL block) {
        const SIZE_T size = GlobalSize(block);
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
        if (copy == nullptr)
            return nullptr;
        const void* from = GlobalLock(block);
        void* to = GlobalLock(copy);
        if (from != nullptr && to != nullptr)
            std::memcpy(to, from, size);
        if (from != nullptr)
            GlobalUnlock(block);
        if (to != nullptr)
            GlobalUnlock(copy);
        if (from == nullptr || to == nullptr) {
            GlobalFree(copy);
            return nullptr;
        }
        return copy;
    }

    std::vector<Entry> m_entries;
};

namespace {

// Drops when the button that drags is let go; Esc or pressing the other button as well cancels.
class DropSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        const DWORD buttons = keys & (MK_LBUTTON | MK_RBUTTON);
        if (escape || buttons == (MK_LBUTTON | MK_RBUTTON))
            return DRAGDROP_S_CANCEL;
        return buttons == 0 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    ~DropSource() override = default;
};

}  // namespace

COleDataSource::COleDataSource() : m_data(new CachedData) {}

COleDataSource::~COleDataSource() {
    m_data->Empty();
    m_data->Release();
}

void COleDataSource::CacheGlobalData(CLIPFORMAT format, HGLOBAL block,
                                     const FORMATETC* description) {
    FORMATETC d{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    if (description != nullptr)
        d = *description;
    m_data->Add(d, block);
}

DWORD COleDataSource::DoDragDrop(DWORD allowedEffects) {
    // The drag loop needs OLE on this thread; the program does not start it otherwise.
    const ScopedOle ole;
    DropSource* source = new DropSource;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result = ::DoDragDrop(m_data, source, allowedEffects, &effect);
    source->Release();
    return result == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}
