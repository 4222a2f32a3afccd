#include "testhost/payments.h"

namespace {

std::wstring TextOf(const std::optional<std::wstring>& text) { return text ? QuotedText(text->c_str()) : L"null"; }

}  // namespace

HRESULT SubstitutePayment::GetText(int property, const wchar_t* name, BSTR* value) {
    const auto& text = texts_[static_cast<std::size_t>(property - 2)];
    return Respond(2 * property - 1, std::wstring(L"get_") + name + L"()", [&] {
        if (value) *value = text ? ::SysAllocString(text->c_str()) : nullptr;
        return TextOf(text);
    });
}

HRESULT SubstitutePayment::PutText(int property, const wchar_t* name, BSTR value) {
    return Respond(2 * property, std::wstring(L"put_") + name + L"(" + QuotedText(value) + L")", [&] {
        texts_[static_cast<std::size_t>(property - 2)] =
            value ? std::optional<std::wstring>(std::wstring(value, ::SysStringLen(value))) : std::nullopt;
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayment::get_Value(DOUBLE* value) {
    return Respond(1, L"get_Value()", [&] {
        if (value) *value = value_;
        return NumberText(value_);
    });
}

STDMETHODIMP SubstitutePayment::put_Value(DOUBLE value) {
    return Respond(2, L"put_Value(" + NumberText(value) + L")", [&] {
        value_ = value;
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayment::get_Currency(SHORT* value) {
    return Respond(27, L"get_Currency()", [&] {
        if (value) *value = currency_;
        return NumberText(static_cast<long>(currency_));
    });
}

STDMETHODIMP SubstitutePayment::put_Currency(SHORT value) {
    return Respond(28, L"put_Currency(" + NumberText(static_cast<long>(value)) + L")", [&] {
        currency_ = value;
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayment::get_Date(DATE* value) {
    return Respond(29, L"get_Date()", [&] {
        if (value) *value = date_;
        return NumberText(date_);
    });
}

STDMETHODIMP SubstitutePayment::put_Date(DATE value) {
    return Respond(30, L"put_Date(" + NumberText(value) + L")", [&] {
        date_ = value;
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayment::get_Status(LONG* value) {
    return Respond(31, L"get_Status()", [&] {
        if (value) *value = status_;
        return NumberText(status_);
    });
}

STDMETHODIMP SubstitutePayment::put_Status(LONG value) {
    return Respond(32, L"put_Status(" + NumberText(value) + L")", [&] {
        status_ = value;
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayment::get_ClientReference(VARIANT* value) {
    return Respond(33, L"get_ClientReference()", [&] {
        if (value) {
            ::VariantInit(value);
            ::VariantCopy(value, &clientReference_.Get());
        }
        return VariantText(&clientReference_.Get());
    });
}

STDMETHODIMP SubstitutePayment::put_ClientReference(VARIANT* value) {
    return Respond(34, L"put_ClientReference(" + VariantText(value) + L")", [&] {
        clientReference_.Reset();
        if (value) ::VariantCopy(&clientReference_.Get(), value);
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayments::get_Item(LONG index, ITeskPayment** payment) {
    return Respond(1, L"get_Item(" + NumberText(index) + L")", [&] {
        if (index < 0 || static_cast<std::size_t>(index) >= payments_.size()) throw static_cast<long>(E_INVALIDARG);
        if (payment) *payment = Retain(payments_[static_cast<std::size_t>(index)].Get()).Detach();
        return L"Payment[" + std::to_wstring(index) + L"]";
    });
}

STDMETHODIMP SubstitutePayments::get_Count(LONG* count) {
    return Respond(2, L"get_Count()", [&] {
        const auto size = static_cast<LONG>(payments_.size());
        if (count) *count = size;
        return NumberText(size);
    });
}

STDMETHODIMP SubstitutePayments::Add(ITeskPayment** payment) {
    return Respond(3, L"Add()", [&] {
        Append();
        if (payment) *payment = Retain(payments_.back().Get()).Detach();
        return L"Payment[" + std::to_wstring(payments_.size() - 1) + L"]";
    });
}

STDMETHODIMP SubstitutePayments::Clear() {
    return Respond(4, L"Clear()", [&] {
        payments_.clear();
        return std::wstring();
    });
}

STDMETHODIMP SubstitutePayments::get__newenum(IUnknown** enumerator) {
    if (enumerator) *enumerator = nullptr;
    return Respond(5, L"_newenum()", [] () -> std::wstring { throw static_cast<long>(E_NOTIMPL); });
}

void SubstitutePayments::Append() {
    auto created = CreateComObject<SubstitutePayment>(static_cast<long>(payments_.size()));
    payments_.push_back(Retain(static_cast<ITeskPayment*>(created.Get())));
}
