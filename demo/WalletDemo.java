// SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
// SPDX-License-Identifier: MIT
// A stand-in for the wallet application: says hello on both output
// channels, shows each argument it got and the system property
// wallet.demo.greeting when set, and exits with the code given in
// WALLET_DEMO_EXIT (default 0).
public class WalletDemo {
    public static void main(String[] args) {
        System.out.println("Rarudor Wallet demo is running on Java " + System.getProperty("java.version") + ".");
        for (String argument : args)
            System.out.println("argument: [" + argument + "]");
        String greeting = System.getProperty("wallet.demo.greeting");
        if (greeting != null)
            System.out.println("wallet.demo.greeting: [" + greeting + "]");
        System.err.println("Rarudor Wallet demo: this line went to standard error.");
        String code = System.getenv("WALLET_DEMO_EXIT");
        System.exit(code == null || code.isEmpty() ? 0 : Integer.parseInt(code.trim()));
    }
}
