// Adds a certificate (a PEM or DER file) to the LocalMachine Root store of the Wine prefix it runs
// in, as IT trusts a hospital's own certificate authority: for the export's https test.
//   trust_certificate.exe CERTIFICATE_FILE
#include <windows.h>

#include <wincrypt.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fputws(L"usage: trust_certificate.exe CERTIFICATE_FILE\n", stderr);
        return 2;
    }
    const HANDLE file =
        CreateFileW(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    std::string text(1 << 16, '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    BYTE der[1 << 16];
    DWORD length = sizeof der;
    if (!CryptStringToBinaryA(text.data(), read, CRYPT_STRING_BASE64HEADER, der, &length, nullptr,
                              nullptr))
        return 1;
    const HCERTSTORE root =
        CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
    if (root == nullptr) return 1;
    const bool added = CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der, length,
                                                        CERT_STORE_ADD_REPLACE_EXISTING, nullptr);
    CertCloseStore(root, 0);
    std::fputws(added ? L"trusted\n" : L"not trusted\n", stdout);
    return added ? 0 : 1;
}
