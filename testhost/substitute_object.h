#pragma once
// The common ground of the substitute host's objects: module lock and reference counting from the
// component's own frame, IDispatch that answers nothing (the component calls host objects through
// their vtables), and the recording and scripted failure of each call.
#include <string>
#include <utility>

#include "server/com_object.h"
#include "testhost/call_text.h"
#include "testhost/host_state.h"

template <class Interface, HostObjectKind Kind>
class SubstituteObject : public ComObjectRoot, public Interface, public ISupportErrorInfo {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // Error information is offered for the object's interface once a scripted failure published
    // some.
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override {
        return publishesErrorInfo_ && ::IsEqualIID(iid, __uuidof(Interface)) ? S_OK : S_FALSE;
    }

    const std::wstring& Name() const noexcept { return name_; }

protected:
    explicit SubstituteObject(std::wstring name) : name_(std::move(name)) { ++LiveObjects(); }
    ~SubstituteObject() { --LiveObjects(); }

    // Records the call `text` of method number `method`, then either fails it as scripted or
    // runs `answer`, which fills the out-parameters and returns their text ("" when none).
    template <class Answer>
    HRESULT Respond(LONG method, const std::wstring& text, Answer&& answer) {
        const std::wstring line = name_ + L"." + std::to_wstring(method) + L" " + text;
        if (const MethodFailure* failure = State().FailureOf(Kind, method)) {
            Publish(*failure);
            State().Record(line + L" -> " + HResultText(failure->hr));
            return failure->hr;
        }
        try {
            const std::wstring outs = answer();
            State().Record(outs.empty() ? line : line + L" -> " + outs);
            return S_OK;
        } catch (long hr) {
            State().Record(line + L" -> " + HResultText(hr));
            return hr;
        } catch (...) {
            State().Record(line + L" -> " + HResultText(E_UNEXPECTED));
            return E_UNEXPECTED;
        }
    }

    HRESULT Respond(LONG method, const std::wstring& text) {
        return Respond(method, text, [] { return std::wstring(); });
    }

private:
    void Publish(const MethodFailure& failure) {
        publishesErrorInfo_ = failure.description.has_value();
        if (!publishesErrorInfo_) return;
        ComPtr<ICreateErrorInfo> creator;
        if (FAILED(::CreateErrorInfo(creator.Receive()))) return;
        creator->SetDescription(const_cast<LPOLESTR>(failure.description->c_str()));
        creator->SetSource(const_cast<LPOLESTR>(L"SubstituteHost"));
        creator->SetGUID(__uuidof(Interface));
        if (const auto info = QueryAs<IErrorInfo>(creator.Get(), IID_IErrorInfo)) ::SetErrorInfo(0, info.Get());
    }

    std::wstring name_;
    bool publishesErrorInfo_ = false;
};
