/* A host written apart from the component: plain C, its objects' vtables laid out by hand from the
 * positions the host framework's interfaces give each method, none of the project's headers. It
 * imports a statement through the registered component as the host does and prints what its
 * reconciliation list received, in the columns `varrow statement` prints (less the account ones),
 * so that a test can compare the two. Built for both widths: on i686 it calls the component and
 * its recogniser with the 32-bit conventions a real host uses.
 *
 *   statement_import_host STATEMENT SORT-CODE ACCOUNT [CANDIDATE...]
 *
 * The chooser offers STATEMENT and every CANDIDATE to the recogniser (reporting each answer on
 * standard error), then answers with STATEMENT as the user's choice. Exit status: 0 when the import
 * returned S_OK, the list was cleared and every host object was released as often as it was
 * handed out; 1 otherwise; 64 for a usage error. */
#define COBJMACROS
/* printf and strtod that round correctly, as the C++ side's do. */
#define __USE_MINGW_ANSI_STDIO 1
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

/* Slots after IUnknown's three and IDispatch's four. */
enum { kDispatchSlots = 7 };
/* ImportStatement follows the six methods common to both services. */
enum { kImportStatementSlot = kDispatchSlots + 6 };
enum { kChooserBlockSize = 400, kDescriptionSize = 256 };

static const CLSID kBankStatementServiceClass = {0xF594282E, 0x9EC5, 0x460F, {0x80, 0x8C, 0x3B, 0x9F, 0x60, 0x6C, 0xA8, 0x9A}};
static const IID kStatementServiceInterface = {0xA986E8B1, 0x1466, 0x11D4, {0x8A, 0x33, 0x00, 0xE0, 0x29, 0x17, 0x8D, 0x24}};
static const CLSID kBankConfigurationClass = {0x0BE0D1E2, 0x5E1E, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};
static const IID kBankConfigurationInterface = {0x0BE0D1E1, 0x5E1E, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};
static const CLSID kChooserClass = {0x40839E2E, 0x5D63, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};
static const IID kChooserInterface = {0x40839E2D, 0x5D63, 0x11D4, {0x9A, 0x80, 0x00, 0xA0, 0xCC, 0x5F, 0xF3, 0x3D}};

typedef int(WINAPI* Recogniser)(char* description, const char* path);
typedef HRESULT(STDMETHODCALLTYPE* ImportStatementCall)(void* self, void* accountSource, void* transactions);
typedef void* Slot;

/* One object of this host: a vtable, a reference count and what the object needs to answer. */
typedef struct HostObject {
    Slot* vtable;
    LONG references;
    LONG handedOut; /* references given to the component, including the first */
    const char* name;
    const IID* iid; /* the one interface it answers besides IUnknown and IDispatch; null: any */
    struct HostObject* next;
} HostObject;

static HostObject* g_objects;
static int g_faults;

static void Fault(const char* what) {
    fprintf(stderr, "statement_import_host: %s\n", what);
    ++g_faults;
}

/* ---- IUnknown and IDispatch, shared by every object ---- */

static HRESULT STDMETHODCALLTYPE QueryInterfaceAny(HostObject* self, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = NULL;
    if (self->iid && !IsEqualIID(iid, self->iid) && !IsEqualIID(iid, &IID_IUnknown) && !IsEqualIID(iid, &IID_IDispatch))
        return E_NOINTERFACE;
    *out = self;
    ++self->references;
    ++self->handedOut;
    return S_OK;
}
static ULONG STDMETHODCALLTYPE AddRefAny(HostObject* self) { return (ULONG)++self->references; }
static ULONG STDMETHODCALLTYPE ReleaseAny(HostObject* self) {
    if (self->references <= 0) {
        Fault("an object was released more often than it was referenced");
        return 0;
    }
    return (ULONG)--self->references;
}
static HRESULT STDMETHODCALLTYPE GetTypeInfoCountAny(HostObject* self, UINT* count) {
    (void)self;
    if (count) *count = 0;
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE GetTypeInfoAny(HostObject* self, UINT index, LCID lcid, void** info) {
    (void)self, (void)index, (void)lcid, (void)info;
    return E_NOTIMPL;
}
static HRESULT STDMETHODCALLTYPE GetIDsOfNamesAny(HostObject* self, REFIID iid, LPOLESTR* names, UINT count,
                                                  LCID lcid, DISPID* ids) {
    (void)self, (void)iid, (void)names, (void)count, (void)lcid, (void)ids;
    return E_NOTIMPL;
}
static HRESULT STDMETHODCALLTYPE InvokeAny(HostObject* self, DISPID id, REFIID iid, LCID lcid, WORD flags,
                                           DISPPARAMS* params, VARIANT* result, EXCEPINFO* info, UINT* argError) {
    (void)self, (void)id, (void)iid, (void)lcid, (void)flags, (void)params, (void)result, (void)info, (void)argError;
    Fault("the component called IDispatch::Invoke, which a host object need not answer");
    return E_NOTIMPL;
}

/* A slot the component must never call: its arguments are unknown, so the process stops at once. */
static HRESULT STDMETHODCALLTYPE Unexpected(HostObject* self) {
    fprintf(stderr, "statement_import_host: the component called a method of %s that it must not call\n", self->name);
    fflush(stderr);
    ExitProcess(1);
    return E_FAIL;
}

/* Fills in an object of this host that `object` points to, the first member of its own kind. */
static HostObject* InitObject(HostObject* object, const char* name, int slots) {
    object->vtable = calloc((size_t)slots, sizeof(Slot));
    object->vtable[0] = (Slot)QueryInterfaceAny;
    object->vtable[1] = (Slot)AddRefAny;
    object->vtable[2] = (Slot)ReleaseAny;
    object->vtable[3] = (Slot)GetTypeInfoCountAny;
    object->vtable[4] = (Slot)GetTypeInfoAny;
    object->vtable[5] = (Slot)GetIDsOfNamesAny;
    object->vtable[6] = (Slot)InvokeAny;
    for (int i = kDispatchSlots; i < slots; ++i) object->vtable[i] = (Slot)Unexpected;
    object->references = 1;
    object->handedOut = 1;
    object->name = name;
    object->next = g_objects;
    g_objects = object;
    return object;
}
static HostObject* NewObject(const char* name, int slots) {
    return InitObject(calloc(1, sizeof(HostObject)), name, slots);
}
static void SetMethod(HostObject* object, int method, Slot call) { object->vtable[kDispatchSlots + method - 1] = call; }

/* ---- the account source and its account ---- */

static const char* g_sortCode;
static const char* g_account;

static BSTR WideCopy(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
    BSTR copy = SysAllocStringLen(NULL, (UINT)(length - 1));
    MultiByteToWideChar(CP_ACP, 0, text, -1, copy, length);
    return copy;
}
static HRESULT STDMETHODCALLTYPE AccountSortCode(HostObject* self, BSTR* out) {
    (void)self;
    *out = WideCopy(g_sortCode);
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE AccountNumber(HostObject* self, BSTR* out) {
    (void)self;
    *out = WideCopy(g_account);
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE SourceAccount(HostObject* self, HostObject** out) {
    (void)self;
    HostObject* account = NewObject("the filter account", kDispatchSlots + 5);
    SetMethod(account, 1, (Slot)AccountSortCode);
    SetMethod(account, 5, (Slot)AccountNumber);
    *out = account;
    return S_OK;
}

/* ---- the reconciliation list and its transactions ---- */

typedef struct Transaction {
    HostObject object;
    LONG number;
    double date;
    LONG direction;
    double amount;
    BSTR reference;
    BSTR narrative;
} Transaction;

static Transaction** g_transactions;
static int g_transactionCount;
static int g_transactionRoom;
static int g_cleared;

static HRESULT STDMETHODCALLTYPE SetNumber(Transaction* self, VARIANT* number) {
    if (!number || V_VT(number) != VT_I4) {
        Fault("the running number is not a VT_I4 VARIANT");
        return E_INVALIDARG;
    }
    self->number = V_I4(number);
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE SetDate(Transaction* self, double date) {
    self->date = date;
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE SetDirection(Transaction* self, LONG direction) {
    self->direction = direction;
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE SetAmount(Transaction* self, double amount) {
    self->amount = amount;
    return S_OK;
}
/* The host keeps its own copies: the component frees what it passed. */
static HRESULT STDMETHODCALLTYPE SetNarrative(Transaction* self, BSTR narrative) {
    SysFreeString(self->narrative);
    self->narrative = SysAllocStringLen(narrative, SysStringLen(narrative));
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE SetReference(Transaction* self, BSTR reference) {
    SysFreeString(self->reference);
    self->reference = SysAllocStringLen(reference, SysStringLen(reference));
    return S_OK;
}

static HRESULT STDMETHODCALLTYPE ListAdd(HostObject* self, HostObject** out) {
    (void)self;
    if (g_transactionCount == g_transactionRoom) {
        g_transactionRoom = g_transactionRoom ? 2 * g_transactionRoom : 64;
        g_transactions = realloc(g_transactions, (size_t)g_transactionRoom * sizeof *g_transactions);
    }
    Transaction* added = calloc(1, sizeof *added);
    InitObject(&added->object, "a statement transaction", kDispatchSlots + 37);
    /* One reference for the list, one for the component. */
    added->object.references = 2;
    SetMethod(&added->object, 3, (Slot)SetNumber);
    SetMethod(&added->object, 5, (Slot)SetDate);
    SetMethod(&added->object, 7, (Slot)SetReference);
    SetMethod(&added->object, 11, (Slot)SetDirection);
    SetMethod(&added->object, 31, (Slot)SetNarrative);
    SetMethod(&added->object, 37, (Slot)SetAmount);
    g_transactions[g_transactionCount++] = added;
    *out = &added->object;
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE ListClear(HostObject* self) {
    (void)self;
    g_cleared = 1;
    g_transactionCount = 0;
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE ListBalance(HostObject* self, double balance) {
    (void)self;
    if (balance != 0.0) Fault("the list was given a balance other than 0");
    return S_OK;
}

/* ---- the configuration and the chooser, created by the component through COM ---- */

static const char* g_chosenPath;
static const char** g_candidates;
static int g_candidateCount;

static HRESULT STDMETHODCALLTYPE PrepareChooser(HostObject* self, char* bankName, unsigned char* block) {
    (void)self;
    if (strcmp(bankName, "Varrow Online") != 0) Fault("the bank name is not \"Varrow Online\"");
    /* What the host's own chooser needs lies in the rest of the block; a pattern shows it is kept. */
    for (int i = 0; i < kChooserBlockSize; ++i) block[i] = (unsigned char)(0xA0 + i % 16);
    return S_OK;
}

static void OfferCandidate(Recogniser recognise, const char* path) {
    char description[kDescriptionSize];
    memset(description, 0x55, sizeof description);
    const int recognised = recognise(description, path);
    fprintf(stderr, "recogniser(%s) -> %d%s%s\n", path, recognised, recognised ? ", " : "",
            recognised ? description : "");
}

static HRESULT STDMETHODCALLTYPE ChooserChoose(HostObject* self, unsigned char* block) {
    (void)self;
    Recogniser recognise;
    memcpy(&recognise, block, sizeof recognise);
    for (size_t i = sizeof recognise; i < kChooserBlockSize; ++i) {
        if (block[i] != (unsigned char)(0xA0 + i % 16)) {
            Fault("the chooser block's rest was changed");
            break;
        }
    }
    OfferCandidate(recognise, g_chosenPath);
    for (int i = 0; i < g_candidateCount; ++i) OfferCandidate(recognise, g_candidates[i]);
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE ChooserPath(HostObject* self, BSTR* path) {
    (void)self;
    *path = WideCopy(g_chosenPath);
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE ChooserOutcome(HostObject* self, LONG* outcome) {
    (void)self;
    *outcome = 0;
    return S_OK;
}

/* A class object that hands out one new object of its kind per creation. */
typedef struct Factory {
    Slot* vtable;
    HostObject* (*make)(void);
} Factory;

static HRESULT STDMETHODCALLTYPE FactoryQueryInterface(Factory* self, REFIID iid, void** out) {
    if (IsEqualIID(iid, &IID_IUnknown) || IsEqualIID(iid, &IID_IClassFactory)) {
        *out = self;
        return S_OK;
    }
    *out = NULL;
    return E_NOINTERFACE;
}
static ULONG STDMETHODCALLTYPE FactoryAddRef(Factory* self) { return (void)self, 2; }
static ULONG STDMETHODCALLTYPE FactoryRelease(Factory* self) { return (void)self, 1; }
static HRESULT STDMETHODCALLTYPE FactoryCreate(Factory* self, IUnknown* outer, REFIID iid, void** out) {
    (void)iid;
    if (outer) return CLASS_E_NOAGGREGATION;
    *out = self->make();
    return S_OK;
}
static HRESULT STDMETHODCALLTYPE FactoryLock(Factory* self, BOOL lock) { return (void)self, (void)lock, S_OK; }
static Slot g_factoryVtable[] = {(Slot)FactoryQueryInterface, (Slot)FactoryAddRef, (Slot)FactoryRelease,
                                 (Slot)FactoryCreate, (Slot)FactoryLock};

static HostObject* MakeConfiguration(void) {
    HostObject* configuration = NewObject("the bank configuration", kDispatchSlots + 3);
    configuration->iid = &kBankConfigurationInterface;
    SetMethod(configuration, 2, (Slot)PrepareChooser);
    return configuration;
}
static HostObject* MakeChooser(void) {
    HostObject* chooser = NewObject("the statement file chooser", kDispatchSlots + 5);
    chooser->iid = &kChooserInterface;
    SetMethod(chooser, 1, (Slot)ChooserChoose);
    SetMethod(chooser, 4, (Slot)ChooserPath);
    SetMethod(chooser, 5, (Slot)ChooserOutcome);
    return chooser;
}

static int Register(const CLSID* classId, Factory* factory) {
    DWORD cookie = 0;
    const HRESULT hr = CoRegisterClassObject(classId, (IUnknown*)factory, CLSCTX_LOCAL_SERVER | CLSCTX_INPROC_SERVER,
                                             REGCLS_MULTIPLEUSE, &cookie);
    if (FAILED(hr)) fprintf(stderr, "statement_import_host: CoRegisterClassObject failed (0x%08lX)\n", (unsigned long)hr);
    return SUCCEEDED(hr);
}

/* ---- output in the columns of `varrow statement`, less sort_code and account ---- */

/* The shortest decimal text that reads back as the same double, fixed or scientific, whichever is
 * shorter (fixed on a tie), as C++'s std::to_chars writes it. */
static void PrintShortest(double value) {
    if (signbit(value)) putchar('-'); /* the host must never receive one: shown, not hidden */
    value = fabs(value);
    char scientific[40];
    int precision = 0;
    do {
        snprintf(scientific, sizeof scientific, "%.*e", precision++, value);
    } while (strtod(scientific, NULL) != value && precision < 17);
    /* The significant digits, and the power of ten of the first one. */
    char digits[24] = {0};
    size_t count = 0;
    const char* c = scientific;
    for (; *c != 'e'; ++c) {
        if (*c >= '0' && *c <= '9') digits[count++] = *c;
    }
    const int exponent = atoi(c + 1);
    char fixed[400] = {0};
    size_t length = 0;
    if (exponent < 0) {
        length += (size_t)snprintf(fixed, sizeof fixed, "0.");
        for (int zero = 0; zero < -exponent - 1; ++zero) fixed[length++] = '0';
        memcpy(fixed + length, digits, count);
    } else if ((size_t)exponent + 1 >= count) {
        /* A whole number: C++ writes its exact digits rather than zeros after the shortest ones. */
        snprintf(fixed, sizeof fixed, "%.0f", value);
    } else {
        memcpy(fixed, digits, (size_t)exponent + 1);
        fixed[exponent + 1] = '.';
        memcpy(fixed + exponent + 2, digits + exponent + 1, count - (size_t)exponent - 1);
    }
    /* C++ writes at least two exponent digits, whatever this C runtime's printf does. */
    char shortest[48];
    snprintf(shortest, sizeof shortest, "%c%s%.*s%s%02d", digits[0], count > 1 ? "." : "", (int)count - 1, digits + 1,
             exponent < 0 ? "e-" : "e+", abs(exponent));
    fputs(strlen(fixed) <= strlen(shortest) ? fixed : shortest, stdout);
}

static void PrintDate(double date) {
    SYSTEMTIME parts;
    if (date == 0 || !VariantTimeToSystemTime(date, &parts)) return;
    printf("%04u-%02u-%02u", parts.wYear, parts.wMonth, parts.wDay);
}

/* The host's text back in the ANSI code page, quoted as RFC 4180 asks where it must be. */
static void PrintText(BSTR text) {
    const int length = (int)SysStringLen(text);
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, length, NULL, 0, NULL, NULL);
    char* narrow = calloc((size_t)needed + 1, 1);
    WideCharToMultiByte(CP_ACP, 0, text, length, narrow, needed, NULL, NULL);
    if (strpbrk(narrow, ",\"\r\n")) {
        putchar('"');
        for (const char* c = narrow; *c; ++c) {
            if (*c == '"') putchar('"');
            putchar(*c);
        }
        putchar('"');
    } else {
        fputs(narrow, stdout);
    }
    free(narrow);
}

static void PrintTransactions(void) {
    puts("number,date,direction,amount,type,narrative");
    for (int i = 0; i < g_transactionCount; ++i) {
        const Transaction* row = g_transactions[i];
        printf("%ld,", (long)row->number);
        PrintDate(row->date);
        printf(",%s,", row->direction == 0 ? "debit" : "credit");
        PrintShortest(row->amount);
        putchar(',');
        PrintText(row->reference);
        putchar(',');
        PrintText(row->narrative);
        putchar('\n');
    }
}

static int CheckReferences(void) {
    int balanced = 1;
    for (const HostObject* object = g_objects; object; object = object->next) {
        if (object->references != 0) {
            fprintf(stderr, "statement_import_host: %s keeps %ld references after the import\n", object->name,
                    (long)object->references);
            balanced = 0;
        }
    }
    return balanced;
}

int main(int argc, char** argv) {
    if (argc < 4) {
        fputs("usage: statement_import_host STATEMENT SORT-CODE ACCOUNT [CANDIDATE...]\n", stderr);
        return 64;
    }
    g_chosenPath = argv[1];
    g_sortCode = argv[2];
    g_account = argv[3];
    g_candidates = (const char**)argv + 4;
    g_candidateCount = argc - 4;

    if (FAILED(CoInitializeEx(NULL, COINIT_APARTMENTTHREADED))) return 1;
    Factory configurations = {g_factoryVtable, MakeConfiguration};
    Factory choosers = {g_factoryVtable, MakeChooser};
    if (!Register(&kBankConfigurationClass, &configurations) || !Register(&kChooserClass, &choosers)) return 1;

    IUnknown* service = NULL;
    HRESULT hr = CoCreateInstance(&kBankStatementServiceClass, NULL, CLSCTX_INPROC_SERVER, &kStatementServiceInterface,
                                  (void**)&service);
    if (FAILED(hr)) {
        fprintf(stderr, "statement_import_host: the statement service cannot be created (0x%08lX)\n", (unsigned long)hr);
        return 1;
    }
    HostObject* source = NewObject("the account source", kDispatchSlots + 1);
    SetMethod(source, 1, (Slot)SourceAccount);
    HostObject* list = NewObject("the reconciliation list", kDispatchSlots + 7);
    SetMethod(list, 3, (Slot)ListAdd);
    SetMethod(list, 4, (Slot)ListClear);
    SetMethod(list, 7, (Slot)ListBalance);

    const ImportStatementCall import = (ImportStatementCall)(*(Slot**)service)[kImportStatementSlot];
    hr = import(service, source, list);
    fprintf(stderr, "ImportStatement -> 0x%08lX\n", (unsigned long)hr);
    IUnknown_Release(service);
    /* What this host made for the call it releases itself; the rest the component released. */
    ReleaseAny(source);
    ReleaseAny(list);
    for (int i = 0; i < g_transactionCount; ++i) ReleaseAny(&g_transactions[i]->object);

    PrintTransactions();
    fflush(stdout);
    const int balanced = CheckReferences();
    CoUninitialize();
    if (!g_cleared) Fault("the list was never cleared");
    return hr == S_OK && balanced && g_faults == 0 ? 0 : 1;
}
