/*
 * Sigillo's own addition to the registry functions: one component
 * registration as one transaction. Between Begin and Commit every registry
 * call of the process works on the store in memory, under the store's
 * exclusive lock; Commit writes the store once, atomically. A process that
 * ends without Commit (a crash, a kill on time-out, a failed registration)
 * leaves the store as it was.
 *
 * Both return ERROR_SUCCESS, or ERROR_REGISTRY_IO_FAILED with the reason
 * (naming the store file) copied into message, cut to messageSize bytes
 * including the terminating NUL.
 */
#ifndef SIGILLO_REGISTRY_TRANSACTION_H
#define SIGILLO_REGISTRY_TRANSACTION_H

#include "sigillo_registry.h"

#ifdef __cplusplus
extern "C" {
#endif

SIGILLO_REGISTRY_API LONG SigilloRegBeginTransaction(LPSTR message, DWORD messageSize);
SIGILLO_REGISTRY_API LONG SigilloRegCommitTransaction(LPSTR message, DWORD messageSize);
/* Drops the changes made since Begin and releases the store. */
SIGILLO_REGISTRY_API void SigilloRegAbortTransaction(void);

#ifdef __cplusplus
}
#endif

#endif /* SIGILLO_REGISTRY_TRANSACTION_H */
